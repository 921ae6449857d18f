// The front end's fixed texts as they reach the ANSI calls: Shift-JIS (code
// page 932) bytes. texts.cpp is written in UTF-8 and compiled with the
// execution character set CP932 in every build, so the native tests see the
// same bytes as the Windows programs.
#pragma once

namespace texts {

// Caption of the front end's one message box; also the version resource's
// product name.
extern const char kProgramTitle[];
// Shown when the renderer is not beside the saver.
extern const char kRendererMissing[];

// The settings file beside the saver, joined to the program folder as it is.
extern const char kSettingsFileName[];  // "\Ember_Lantern.ini"

// The settings file's one section and its three keys.
extern const char kSection[];
extern const char kKeyKind[];         // BGM_Kind
extern const char kKeyRepeatTrack[];  // BGM_RepeatTrack
extern const char kKeyFile[];         // BGM_File

// The preview window's caption. (The captions by which the programs find
// each other are in common/contract.h.)
extern const char kPreviewCaption[];

}  // namespace texts
