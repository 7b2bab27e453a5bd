#pragma once
// Layout of a DBF table file as DbfTable reads it (every integer little-endian).
//
//   offset 0                 header, 32 bytes (kHeader* below)
//   offset 32                field descriptors, 32 bytes each
//   then                     0x0D terminator; Visual FoxPro (0x30 to 0x32) adds
//                            a 263-byte backlink area (neither is read)
//   header length            record 1; record n at header length + (n-1) * record length
//   after the last record    normally one 0x1A byte (ignored)
//
// A record is a deletion flag ("*" when deleted) followed by the fields, each
// starting where the previous one ends. docs/formats.md describes it in full.

#include <cstdint>
#include <string>

namespace quorvex {

// Header.
inline constexpr std::size_t kHeaderSize = 32;
inline constexpr std::size_t kHeaderVersion = 0;         // 1 byte
inline constexpr std::size_t kHeaderRecordCount = 4;     // 4 bytes, not trusted
inline constexpr std::size_t kHeaderLength = 8;          // 2 bytes: offset of record 1
inline constexpr std::size_t kHeaderRecordLength = 10;   // 2 bytes, deletion flag included
inline constexpr std::size_t kHeaderEncrypted = 15;      // 1 byte, non-zero when encrypted
inline constexpr std::size_t kHeaderChangeStamp = 16;    // 4 bytes
inline constexpr std::size_t kHeaderTableFlags = 28;     // 1 byte
inline constexpr std::size_t kHeaderCodePageMark = 29;   // 1 byte

// Table flags (header byte 28).
inline constexpr int kFlagStructuralIndex = 0x01;
inline constexpr int kFlagHasMemo = 0x02;
inline constexpr int kFlagDatabaseContainer = 0x04;

// Field descriptor.
inline constexpr std::size_t kDescriptorSize = 32;
inline constexpr std::size_t kDescriptorName = 0;        // 11 bytes, NUL padded
inline constexpr std::size_t kDescriptorNameSize = 11;
inline constexpr std::size_t kDescriptorType = 11;       // 1 byte, type letter
inline constexpr std::size_t kDescriptorLength = 16;     // 1 byte
inline constexpr std::size_t kDescriptorDecimals = 17;   // 1 byte; high byte of a C field's width
inline constexpr std::size_t kDescriptorFlags = 18;      // 1 byte, Visual FoxPro field flags (below)
inline constexpr std::size_t kDescriptorNextValue = 19;  // 4 bytes, an autoincrementing field's next value
inline constexpr std::size_t kDescriptorStep = 23;       // 1 byte, its step

// Visual FoxPro field flags (descriptor byte 18).
inline constexpr int kFieldSystem = 0x01;         // hidden from the user: _NullFlags
inline constexpr int kFieldNullable = 0x02;       // may hold null
inline constexpr int kFieldBinary = 0x04;         // C, V, M: bytes kept out of code page translation
inline constexpr int kFieldAutoIncrement = 0x08;  // I: numbered by the table

// Fixed parts before the descriptors end: the header plus the terminator, and
// for Visual FoxPro tables the backlink area too.
inline constexpr std::size_t kTerminatorSize = 1;
inline constexpr std::size_t kBacklinkSize = 263;

// Limits: a record of more than this many bytes is rejected at open.
inline constexpr int kMaxRecordLength = 65519;

inline constexpr char kDeletedFlag = '*';

// Accepted version bytes (header byte 0).
inline constexpr int kVersionDbase3 = 0x03;        // no memo fields
inline constexpr int kVersionNoMemo = 0x04;        // no memo fields
inline constexpr int kVersionVisualFoxPro = 0x30;  // FoxPro memo file when flag 0x02 is set
inline constexpr int kVersionVisualFoxProAutoIncrement = 0x31;  // as 0x30, with autoincrementing fields
inline constexpr int kVersionVisualFoxProVarchar = 0x32;        // as 0x30, with V, Q or W fields
inline constexpr int kVersionDbase3Memo = 0x83;    // dBASE III memo file
inline constexpr int kVersionDbase4Memo = 0x8B;    // dBASE IV memo file
inline constexpr int kVersionFoxPro2Memo = 0xF5;   // FoxPro memo file

// What a table is opened for. A form's table is read as the conversion always
// has; an application's data tables are also of the later Visual FoxPro
// versions and hold field types no form file has.
enum class TableUse { kForm, kData };

// Whether a table of this version is read: 0x03, 0x04, 0x30, 0x83, 0x8B and
// 0xF5 for either use; 0x31 and 0x32 for data tables only.
bool IsAcceptedVersion(int version, TableUse use = TableUse::kForm);

// Whether the version is one of Visual FoxPro's (0x30, 0x31, 0x32): its header
// has the backlink area, and its binary field types are stored as binary.
bool IsVisualFoxProVersion(int version);

// Whether a table of this version and flag byte reads its memo fields at all.
bool ReadsMemoFields(int version, int table_flags);

// One field of the table, in descriptor order.
struct FieldDescriptor {
  std::string name = {};   // the bytes before the first NUL of the 11
  char type = ' ';         // type letter as stored
  std::uint8_t length = 0;
  std::uint8_t decimals = 0;
  int width = 0;           // C: length + 256 * decimals; others: length
  int offset = 0;          // in the record; 1 for the first field
  int number = 0;          // 1-based position
  std::uint8_t flags = 0;  // Visual FoxPro field flags (kField*)
  std::uint32_t next_value = 0;  // autoincrementing fields: the next value given
  std::uint8_t step = 0;         // and the step between values
};

}  // namespace quorvex
