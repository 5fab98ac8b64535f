#include "project/name_tables.h"

#include <initializer_list>
#include <string_view>

#include "platform/text_encoding.h"

namespace {

// Converts the UTF-8 literals once and closes the list with an empty text.
std::vector<std::string> BuildList(std::initializer_list<std::string_view> utf8Names) {
  std::vector<std::string> list;
  list.reserve(utf8Names.size() + 1);
  for (std::string_view name : utf8Names) list.push_back(platform::Cp932FromUtf8(name));
  list.emplace_back();
  return list;
}

}  // namespace

const std::vector<std::string>& g_FontNames() {
  static const std::vector<std::string> names = BuildList({
      "System", "Terminal", "FixedSys", "Roman", "Script", "Modern", "Small Fonts", "MS Serif",
      "WST_Czec", "WST_Engl", "WST_Fren", "WST_Germ", "WST_Ital", "WST_Span", "WST_Swed",
      "Courier", "MS Sans Serif", "Marlett", "Arial", "Arial CE", "Arial CYR", "Arial Greek",
      "Arial TUR", "Arial Baltic", "Courier New", "Courier New CE", "Courier New CYR",
      "Courier New Greek", "Courier New TUR", "Courier New Baltic", "Lucida Console",
      "Lucida Sans Unicode", "Times New Roman", "Times New Roman CE", "Times New Roman CYR",
      "Times New Roman Greek", "Times New Roman TUR", "Times New Roman Baltic", "Wingdings",
      "Symbol", "Verdana", "Arial Black", "Comic Sans MS", "Impact", "Georgia",
      "Franklin Gothic Medium", "Palatino Linotype", "Tahoma", "Trebuchet MS", "Webdings",
      "Estrangelo Edessa", "Gautami", "Latha", "Mangal", "MV Boli", "Raavi", "Shruti", "Tunga",
      "Sylfaen", "ＭＳ ゴシック", "ＭＳ Ｐゴシック", "MS UI Gothic", "ＭＳ 明朝", "ＭＳ Ｐ明朝",
      "Microsoft Sans Serif", "Gulim", "GulimChe", "Dotum", "DotumChe", "Batang", "BatangChe",
      "Gungsuh", "GungsuhChe", "SimSun", "NSimSun", "SimSun-PUA", "SimHei", "MingLiU",
      "PMingLiU", "Arial Narrow", "Book Antiqua", "Bookman Old Style", "Century",
      "Century Gothic", "Garamond", "MS Outlook", "HGｺﾞｼｯｸE", "HGPｺﾞｼｯｸE", "HGSｺﾞｼｯｸE",
      "HG丸ｺﾞｼｯｸM-PRO", "HG創英角ｺﾞｼｯｸUB", "HGP創英角ｺﾞｼｯｸUB", "HGS創英角ｺﾞｼｯｸUB",
      "HG創英角ﾎﾟｯﾌﾟ体", "HGP創英角ﾎﾟｯﾌﾟ体", "HGS創英角ﾎﾟｯﾌﾟ体", "HG正楷書体-PRO", "InMusicSym",
      "Kartika", "Vrinda", "メイリオ", "MT Extra", "HGｺﾞｼｯｸM", "HGPｺﾞｼｯｸM", "HGSｺﾞｼｯｸM",
      "HG行書体", "HGP行書体", "HGS行書体", "HG教科書体", "HGP教科書体", "HGS教科書体",
      "HG明朝B", "HGP明朝B", "HGS明朝B", "HG明朝E", "HGP明朝E", "HGS明朝E",
      "HG創英ﾌﾟﾚｾﾞﾝｽEB", "HGP創英ﾌﾟﾚｾﾞﾝｽEB", "HGS創英ﾌﾟﾚｾﾞﾝｽEB", "OCRB", "Sydnie",
  });
  return names;
}

const std::vector<std::string>& g_ColorModeNames() {
  static const std::vector<std::string> names =
      BuildList({"256色(8bit) カラーパレットあり", "1677万色(24bit) カラーパレットなし"});
  return names;
}

const std::vector<std::string>& g_DDDepthNames() {
  static const std::vector<std::string> names =
      BuildList({"32bit(1677万色)", "16bit(32768色)", "8bit(256色)"});
  return names;
}

const std::vector<std::string>& g_D3DDepthNames() {
  static const std::vector<std::string> names = BuildList({"32bit(1677万色)", "16bit(32768色)"});
  return names;
}

const std::vector<std::string>& g_DrawPrefNames() {
  static const std::vector<std::string> names = BuildList({"速度重視", "互換性重視"});
  return names;
}

const std::vector<std::string>& g_WorldStageKindNames() {
  static const std::vector<std::string> names = BuildList({"ワールド", "道", "壁"});
  return names;
}

const std::vector<std::string>& g_AfterLastStageNames() {
  static const std::vector<std::string> names = BuildList({"しない", "2周目へ突入", "タイトルへ戻る"});
  return names;
}

const std::string& FontNameAt(int index) {
  const std::vector<std::string>& names = g_FontNames();
  if (index < 0 || index >= static_cast<int>(names.size())) index = kDefaultFontIndex;
  return names[static_cast<std::size_t>(index)];
}
