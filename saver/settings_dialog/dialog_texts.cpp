#include "saver/settings_dialog/dialog_texts.h"

namespace settings_dialog::texts {

const char kHeading[] = "BGM";
const char kKindNames[3][16] = {"無し", "音楽CD", "MP3、WAV"};
const char kRepeatCaption[] = "曲目をﾘﾋﾟｰﾄ";
const char kFileButton[] = "...";
const char kWebButton[] = "その他の作品";
const char kSaveButton[] = "設定";
const char kCancelButton[] = "ｷｬﾝｾﾙ";

const char kFileFilter[] = "BGMﾌｧｲﾙ (MP3 WAV)\0*.MP3;*.WAV\0";
const unsigned kFileFilterSize = sizeof kFileFilter;
const char kFileChooserTitle[] = "ﾌｧｲﾙを開く";

const char kSaveFailed[] =
    "設定を保存できませんでした。\r\n"
    "保存先のフォルダに書き込めないか、同じ名前のフォルダがあります。\r\n"
    "設定はまだ保存されていません。";

const char kWebAddress[] = "https://www.example.jp/ember_lantern/";

}  // namespace settings_dialog::texts
