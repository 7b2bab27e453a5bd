#include "table/folder_listing_cache.h"

#include <algorithm>
#include <utility>

namespace quorvex {

FolderListingCache::FolderListingCache(FileSystem& files, std::function<bool(const std::string& folder)> written)
    : files_(files), written_(std::move(written)) {}

bool FolderListingCache::Exists(const std::string& name) { return files_.Exists(name); }

std::unique_ptr<RandomAccessFile> FolderListingCache::OpenForReading(const std::string& name) {
  return files_.OpenForReading(name);
}

std::vector<std::string> FolderListingCache::FolderEntries(const std::string& folder) {
  const Listing& listing = ListingOf(folder);
  return listing.written ? files_.FolderEntries(folder) : listing.entries;
}

std::vector<std::string> FolderListingCache::EntriesNamedNoCase(const std::string& folder, std::string_view name) {
  const Listing& listing = ListingOf(folder);
  if (listing.written) return files_.EntriesNamedNoCase(folder, name);
  const auto found = listing.spellings.find(name);
  return found == listing.spellings.end() ? std::vector<std::string>{} : found->second;
}

std::uint64_t FolderListingCache::WholeReadLimit() const { return files_.WholeReadLimit(); }

PathKind FolderListingCache::KindOf(const std::string& name) { return files_.KindOf(name); }

const FolderListingCache::Listing& FolderListingCache::ListingOf(const std::string& folder) {
  Listing* listing = nullptr;
  {
    const std::lock_guard lock(mutex_);
    std::unique_ptr<Listing>& slot = listings_[folder];
    if (!slot) slot = std::make_unique<Listing>();
    listing = slot.get();
  }
  std::call_once(listing->taken, [&] { Take(folder, *listing); });
  return *listing;
}

void FolderListingCache::Take(const std::string& folder, Listing& listing) {
  listing.written = written_(folder);
  if (listing.written) return;
  listing.entries = files_.FolderEntries(folder);
  std::sort(listing.entries.begin(), listing.entries.end());
  for (const std::string& entry : listing.entries) listing.spellings[entry].push_back(entry);
}

}  // namespace quorvex
