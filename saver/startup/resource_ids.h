// Resource identifiers of Ember_Lantern.scr (shared by the .rc and the code).
#pragma once

#define IDI_EMBER_LANTERN 1   // 32 x 32 icon
#define IDR_PREVIEW_JPEG 101  // 152 x 112 baseline JPEG of the preview (RCDATA)
