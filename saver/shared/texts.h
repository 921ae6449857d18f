// The front end's fixed texts as they reach the ANSI calls: Shift-JIS (code
// page 932) bytes, all of them here (the settings file's section and key
// names are the file's, in settings_file.h). texts.cpp is written in UTF-8 and
// compiled with the execution character set CP932 in every build, so the
// native tests see the same bytes as the Windows programs.
#pragma once

namespace texts {

// Caption of the front end's one message box; also the version resource's
// product name.
extern const char kProgramTitle[];
// Shown when the renderer is not beside the saver.
extern const char kRendererMissing[];

// The preview window's caption. (The captions by which the programs find
// each other are in common/contract.h.)
extern const char kPreviewCaption[];

// The face of the design font of the push button's caption and the settings
// dialog's texts: "ＭＳ Ｐゴシック".
extern const char kDesignFontFace[];

// SendMciCommand's reply to an empty command: "コマンド文字列が指定されていません".
extern const char kMciNoCommandReply[];
// SendMciCommand's reply when the text of an error code cannot be had:
// "Error (文字列が取れません)".
extern const char kMciNoErrorTextReply[];

// The settings dialog's music panel: the heading over the kinds, the names
// beside the three marks (in the order of BGM_Kind: none, audio CD, file) and
// the caption of the repeat box.
extern const char kHeading[];         // "BGM"
extern const char kKindNames[3][16];  // "無し", "音楽CD", "MP3、WAV"
extern const char kRepeatCaption[];   // "曲目をﾘﾋﾟｰﾄ"

// The settings dialog's buttons' captions.
extern const char kFileButton[];    // Cmd_BGM: "..."
extern const char kWebButton[];     // Cmd_Etc: "その他の作品"
extern const char kSaveButton[];    // Cmd_Set: "設定"
extern const char kCancelButton[];  // Cmd_Can: "ｷｬﾝｾﾙ"

// The file chooser: its filter list (one description and one pattern, each
// ending in NUL, the list ending in a second NUL) and its title.
extern const char kFileFilter[];
extern const char kFileChooserTitle[];  // "ﾌｧｲﾙを開く"

// Shown when the save button could not write the settings file.
extern const char kSaveFailed[];
// Shown when "設定" finds a number in the repeat box that BGM_RepeatTrack
// cannot hold; it names the box and the range it takes.
extern const char kRepeatOutOfRange[];
// Shown when a file chosen in the file chooser has a name that the ANSI calls
// could open in no form; the name follows it.
extern const char kFileNameUnusable[];

// Shown instead of the missing-renderer message when the program's folder
// has a name that the ANSI calls can open in no form; the folder follows it.
extern const char kProgramFolderUnusable[];

// The maker's web page, opened by the web button in the default browser.
extern const char kWebAddress[];

}  // namespace texts
