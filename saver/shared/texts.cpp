#include "saver/shared/texts.h"

namespace texts {

const char kProgramTitle[] = "Ember_Lantern (ScreenSaver)";
const char kRendererMissing[] = "Ember_Lantern.dllが同じﾌｫﾙﾀﾞに見つかりません！";

const char kPreviewCaption[] = "Preview Window";

const char kDesignFontFace[] = "ＭＳ Ｐゴシック";

const char kMciNoCommandReply[] = "コマンド文字列が指定されていません";
const char kMciNoErrorTextReply[] = "Error (文字列が取れません)";

const char kHeading[] = "BGM";
const char kKindNames[3][16] = {"無し", "音楽CD", "MP3、WAV"};
const char kRepeatCaption[] = "曲目をﾘﾋﾟｰﾄ";

const char kFileButton[] = "...";
const char kWebButton[] = "その他の作品";
const char kSaveButton[] = "設定";
const char kCancelButton[] = "ｷｬﾝｾﾙ";

const char kFileFilter[] = "BGMﾌｧｲﾙ (MP3 WAV)\0*.MP3;*.WAV\0";
const char kFileChooserTitle[] = "ﾌｧｲﾙを開く";

const char kSaveFailed[] =
    "設定を保存できませんでした。\r\n"
    "保存先のフォルダに書き込めないか、同じ名前のフォルダがあります。\r\n"
    "設定はまだ保存されていません。";

const char kRepeatOutOfRange[] =
    "「曲目をﾘﾋﾟｰﾄ」に入れられるのは、-32768 から 32767 までの数です。\r\n"
    "繰り返す曲の番号を入れるか、CD全体を繰り返すときは空欄にしてください。\r\n"
    "設定はまだ保存されていません。";

const char kFileNameUnusable[] =
    "このファイルは、名前（フォルダの名前を含む）にこのソフトでは扱えない文字があるため、BGMに使えません。\r\n"
    "ファイルの名前を変えるか、英数字などの普通の名前のフォルダに移してから、選び直してください。\r\n"
    "BGMは前に選んだままです。";

const char kProgramFolderUnusable[] =
    "このスクリーンセーバーが入っているフォルダの名前に、このソフトでは扱えない文字があるため、起動できません。\r\n"
    "Ember_Lantern.scr と Ember_Lantern.dll を、英数字などの普通の名前のフォルダに移してから使ってください。";

const char kWebAddress[] = "https://www.example.jp/ember_lantern/";

}  // namespace texts
