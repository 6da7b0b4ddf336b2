#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>

// Every persisted setting of the program: its whole path and, where it has
// one, the value used when nothing (or nothing readable) is stored.
namespace NSettings {

// The key below which everything lives.
inline constexpr char16_t kRootPath[] = u"Software\\Velden\\Quillmere";

// The flags word (see CFlags for its bits and default).
inline constexpr char16_t kFlagsPath[] = u"Software\\Velden\\Quillmere\\Flags";

// Main window placement: left, top, width, height as four signed 32-bit
// little-endian values. Absent: the window system places the window.
inline constexpr char16_t kWindowPosPath[] = u"Software\\Velden\\Quillmere\\WindowPos";
constexpr std::size_t kWindowPosSize = 16;

// The document font.
inline constexpr char16_t kXmlFontNamePath[] = u"Software\\Velden\\Quillmere\\Fonts\\XML\\Name";
inline constexpr char16_t kXmlFontSizePath[] = u"Software\\Velden\\Quillmere\\Fonts\\XML\\Size";
inline constexpr char16_t kXmlFontStylePath[] = u"Software\\Velden\\Quillmere\\Fonts\\XML\\Style";
inline constexpr char16_t kDefaultXmlFontName[] = u"Courier New";
constexpr std::uint32_t kDefaultXmlFontSize = 9; // points
constexpr std::uint32_t kDefaultXmlFontStyle = 0;
constexpr std::uint32_t kFontStyleBold = 0x1;
constexpr std::uint32_t kFontStyleItalic = 0x2;

// The recent-file list: a folder holding its capacity, its size and the
// entries "List\00", "List\01", ... (see CRecentFiles).
inline constexpr char16_t kRecentFolderPath[] = u"Software\\Velden\\Quillmere\\Recent\\";
inline constexpr char16_t kRecentCapacityName[] = u"ListCapacity";
inline constexpr char16_t kRecentSizeName[] = u"ListSize";
// Entry path from the folder path ({0}) and the entry's index ({1}).
inline constexpr char16_t kRecentEntryFormat[] = u"{0s}List\\{1Z2d}";
constexpr std::uint32_t kDefaultRecentCapacity = 20;
constexpr std::uint32_t kDefaultRecentSize = 0;

// The last file accepted for each side in the Open dialog. Absent: empty.
inline constexpr char16_t kRecentLeftFilePath[] = u"Software\\Velden\\Quillmere\\Recent\\Left";
inline constexpr char16_t kRecentRightFilePath[] = u"Software\\Velden\\Quillmere\\Recent\\Right";
inline constexpr char16_t kRecentBaseFilePath[] = u"Software\\Velden\\Quillmere\\Recent\\Base";

// When the next automatic update check is due: decimal text of a signed
// count of 100-nanosecond intervals since 1 January 1601 (UTC). Absent or
// empty reads as 0, due at once.
inline constexpr char16_t kUpdateTimePath[] = u"Software\\Velden\\Quillmere\\UpdateTime";
constexpr std::int64_t kUpdateTimeNever = std::numeric_limits<std::int64_t>::max();

// The web server asked for updates and told of unsupported character sets,
// as a URL ("https://updates.example.org"). Absent or empty: none, and no
// request is ever made.
inline constexpr char16_t kUpdateServerPath[] = u"Software\\Velden\\Quillmere\\UpdateServer";

// The language of the user interface: the file name of a language file in the
// program's language folder. Absent or empty: the built-in English.
inline constexpr char16_t kLanguagePath[] = u"Software\\Velden\\Quillmere\\Language";

} // namespace NSettings
