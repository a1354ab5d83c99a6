#pragma once
// The document as the editor holds it after start-up, built by the same steps in the editor and in
// qx4100ctl: the configuration's band lists when the window is created, the call list and the
// transmission codes when it is first shown, then the start-up language.

namespace qx {

class Codeplug;
class LanguageStore;
class RadioSettings;
struct Configuration;
enum class Language;

// The four band lists of the configuration, each with its stored selection.
void applyBandLists(const Configuration& config, RadioSettings& settings);
// The four band lists and their selections back into the configuration, for saving.
void storeBandLists(const RadioSettings& settings, Configuration& config);

// What the window's first showing gives the document before the language: call list "1000" and
// nine empty entries, BOT and EOT "12345" (through the normal assignment), ">>" in the more column
// of every channel.
void setFirstShowValues(Codeplug& doc);

// The whole start-up without a window: editing position at column 1 of row 1, the band lists, the
// first-show values, then the language loaded into the store and applied. Without its file the
// language leaves the built-in texts, as in the editor.
void startupDocument(Codeplug& doc, const Configuration& config, LanguageStore& store, Language language);

}  // namespace qx
