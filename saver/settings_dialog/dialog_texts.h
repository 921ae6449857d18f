// The settings dialog's fixed texts as they reach the ANSI calls: Shift-JIS
// bytes. dialog_texts.cpp is written in UTF-8 and compiled with the execution
// character set CP932 in every build, so native tests see the same bytes.
#pragma once

namespace settings_dialog::texts {

extern const char kHeading[];         // lbl(15): "BGM"
extern const char kKindNames[3][16];  // lbl_BGM(0..2): "無し", "音楽CD", "MP3、WAV"
extern const char kRepeatCaption[];   // lbl(14): "曲目をﾘﾋﾟｰﾄ"
extern const char kFileButton[];      // Cmd_BGM: "..."
extern const char kWebButton[];       // Cmd_Etc: "その他の作品"
extern const char kSaveButton[];      // Cmd_Set: "設定"
extern const char kCancelButton[];    // Cmd_Can: "ｷｬﾝｾﾙ"

// The file chooser: its filter list (one description and one pattern, each
// ending in NUL, the list ending in a second NUL; kFileFilterSize bytes with
// every NUL) and its title.
extern const char kFileFilter[];
extern const unsigned kFileFilterSize;
extern const char kFileChooserTitle[];  // "ﾌｧｲﾙを開く"

// Shown when the save button could not write the settings file.
extern const char kSaveFailed[];

// The maker's web page, opened by the web button in the default browser.
extern const char kWebAddress[];

}  // namespace settings_dialog::texts
