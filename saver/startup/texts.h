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

// Files beside the saver, joined to the program folder as they are.
extern const char kRendererFileName[];  // "\Ember_Lantern.dll"
extern const char kSettingsFileName[];  // "\Ember_Lantern.ini"

// The settings file's one section and its three keys.
extern const char kSection[];
extern const char kKeyKind[];         // BGM_Kind
extern const char kKeyRepeatTrack[];  // BGM_RepeatTrack
extern const char kKeyFile[];         // BGM_File

// Captions by which a running saver run or settings dialog is recognised.
extern const char kSaverRunCaption[];
extern const char kSettingsDialogCaption[];
extern const char kPreviewCaption[];

}  // namespace texts
