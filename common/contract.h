// The names by which the two programs find each other. Nothing is linked
// between them: the front end starts the renderer by its file name beside
// itself and afterwards knows it only by its window caption, and a second
// start of the front end recognises a running one by these captions. Both
// programs take the names from here, so a presence check and the start it
// guards can never drift apart. Plain ASCII: the same bytes in every code page.
#pragma once

namespace contract {

// The renderer's window (full screen or framed); the saver run watches for it.
inline constexpr char kRendererCaption[] = "Ember_Lantern_VC";

// The hidden window of a saver run in progress.
inline constexpr char kSaverRunCaption[] = "Ember_Lantern_Main";

// An open settings dialog.
inline constexpr char kSettingsDialogCaption[] = "<Ember_Lantern>";

// The renderer's file, joined to the front end's folder as it is.
inline constexpr char kRendererFileName[] = "\\Ember_Lantern.dll";

}  // namespace contract
