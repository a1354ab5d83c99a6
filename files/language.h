#pragma once
// The language store: numbered interface texts in Simplified Chinese, English and Traditional
// Chinese, read from "chinese.lng", "english.lng" and "taiwan.lng" next to the program (UTF-8, one
// "number=text" a line), the start-up choice from the installer log, the file-dialog texts, and
// applying a language to the document (display words, option texts, tone entry 0, re-wording,
// column headers).

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/result.h"

namespace qx {

class Codeplug;
struct DisplayWords;

enum class Language { Chinese, English, Taiwan };

// "chinese", "english", "taiwan": the name the Language menu applies.
std::string_view languageName(Language language);
std::optional<Language> languageFromName(std::string_view name);
// programDir + "/" + name + ".lng".
std::string languageFilePath(const std::string& programDir, Language language);

// A text is kept up to this many bytes, cut before a character that would not fit whole.
inline constexpr std::size_t kMaxLanguageTextBytes = 253;

// Numbers of the message texts.
namespace msg {
inline constexpr int PortCaption = 58;         // caption: port cannot be opened / transfer failed
inline constexpr int PortError = 59;           // the port cannot be opened
inline constexpr int TransferFailed = 60;      // read or write with the radio failed
inline constexpr int ConfirmCaption = 62;      // caption of the New / Clear-channels question
inline constexpr int ConfirmText = 64;         // the New / Clear-channels question
inline constexpr int ChannelFileCaption = 144; // caption of channel-file messages
inline constexpr int NotChannelFile = 145;     // the file is not a channel file
inline constexpr int ChannelNotWritable = 146; // %1 channel number, %2 column header
inline constexpr int SettingNotWritable = 147; // %1 a setting's label
inline constexpr int ChannelFileTooLarge = 148; // the file is too large to be a channel file
inline constexpr int NotGb18030 = 149;          // %1 line number: not valid GB18030 text
}  // namespace msg

// A numbered string table.
class StringTable {
public:
    // The program's own Simplified Chinese texts, the same as "chinese.lng" holds.
    static const StringTable& builtIn();

    // Parses "number=text" lines: the text is everything after the first "=" up to the line end
    // (a CR before the LF is dropped), cut to kMaxLanguageTextBytes. Lines whose part before "="
    // is not a decimal number (comments, blank lines) are skipped; a later line of the same number
    // replaces an earlier one. The input must be valid UTF-8.
    static StringTable parse(std::string_view utf8);

    // The text of a number; empty when the table has none.
    const std::string& text(int number) const;
    bool contains(int number) const { return texts_.count(number) != 0; }
    std::vector<int> numbers() const;
    void set(int number, std::string text);

    bool operator==(const StringTable&) const = default;

private:
    std::map<int, std::string> texts_;
};

// Reads a language file. Fails, with the path and the reason, when it is missing, unreadable or
// not UTF-8 text.
Result<StringTable> loadStringTable(const std::string& path);

// The strings in use. Until a language file has been loaded they are the built-in texts, so no
// caption or message is ever blank; a load that fails changes nothing.
class LanguageStore {
public:
    explicit LanguageStore(std::string programDir);

    // Reads the language's file; on success its strings become current.
    Status load(Language language);

    // The current text of a number (the UI re-texts its windows from this).
    const std::string& text(int number) const { return strings_.text(number); }
    const StringTable& strings() const { return strings_; }
    // The language last loaded, or nullopt while the built-in texts are in use.
    std::optional<Language> loaded() const { return loaded_; }

private:
    std::string programDir_;
    StringTable strings_;
    std::optional<Language> loaded_;
};

// The eight display words of a table. A word the table lacks (or leaves empty) keeps its text from
// `previous`: an empty Off word would make every tone cell look like a new channel's.
DisplayWords displayWordsFrom(const StringTable& strings, const DisplayWords& previous);

// Applies strings to the document: the display words, the option texts that follow the language
// (each setting keeps its index), tone list entry 0, the re-wording of both channel tables, and the
// column headers (row 0) of both tables. A header the table lacks keeps its text.
void applyLanguage(const StringTable& strings, Codeplug& codeplug);

// Loads the language into the store and applies it to the document. A missing or unreadable file
// changes nothing and returns the error.
Status applyLanguage(LanguageStore& store, Language language, Codeplug& codeplug);

// The start-up choice: English when "msg1" of section "Language" in programDir/"UNWISE.INI" is
// exactly "Installation Logs", otherwise (also without the file) Simplified Chinese.
Language startupLanguage(const std::string& programDir);

// The fixed texts of the file open and save dialogs.
struct FileDialogTexts {
    std::string lookIn;        // folder field label
    std::string backHint;      // back button hint
    std::string upHint;        // up button hint
    std::string newFolderHint; // new folder button hint
    std::string viewMenuHint;  // view menu button hint
    std::string largeIcons;
    std::string smallIcons;
    std::string list;
    std::string details;
    std::string open;          // confirm button of the open dialog
    std::string save;          // confirm button of the save dialog
    std::string cancel;
    std::string fileName;      // file name label
    std::string fileType;      // file type label

    bool operator==(const FileDialogTexts&) const = default;
};

// By the configuration's "language" value: 1 Simplified Chinese, 2 English, 3 Traditional
// Chinese; any other value gives empty texts.
FileDialogTexts fileDialogTexts(int language);

}  // namespace qx
