#pragma once
// A FileSystem that lists each folder of another one at most once and
// answers lookups of names without regard to case from that listing. A
// conversion run looks up many names (class libraries, pictures) in the same
// few folders; listing a large folder for each of them was a good part of the
// run's time.
//
// A kept listing does not see entries made after it was taken, so folders
// the owner writes into while it looks up names are never kept: the
// `written` test names them, and each of their lookups lists them anew. All
// else (kinds, opening files) goes to the other file system every time.
//
// Safe to use from several threads at once; the other file system must
// outlive it and be safe so too.

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/ascii.h"
#include "table/file_system.h"

namespace quorvex {

class FolderListingCache final : public FileSystem {
 public:
  // `written`: true for a folder whose entries may change while the cache is
  // used; asked once per folder.
  FolderListingCache(FileSystem& files, std::function<bool(const std::string& folder)> written);

  bool Exists(const std::string& name) override;
  std::unique_ptr<RandomAccessFile> OpenForReading(const std::string& name) override;
  // In byte order when kept.
  std::vector<std::string> FolderEntries(const std::string& folder) override;
  std::vector<std::string> EntriesNamedNoCase(const std::string& folder, std::string_view name) override;
  std::uint64_t WholeReadLimit() const override;
  PathKind KindOf(const std::string& name) override;

 private:
  struct Listing {
    std::once_flag taken;
    bool written = false;
    std::vector<std::string> entries;  // in byte order
    // each spelling of a name, in byte order, under any of them
    std::unordered_map<std::string, std::vector<std::string>, TextHash, TextEqual> spellings;
  };

  // The folder's listing, taken at the first call for it.
  const Listing& ListingOf(const std::string& folder);
  void Take(const std::string& folder, Listing& listing);

  FileSystem& files_;
  std::function<bool(const std::string&)> written_;
  std::mutex mutex_;
  std::unordered_map<std::string, std::unique_ptr<Listing>> listings_;
};

}  // namespace quorvex
