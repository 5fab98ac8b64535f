#include "definitions/param_table.h"

#include <initializer_list>
#include <string_view>
#include <vector>

#include "definitions/command_kinds.h"
#include "platform/text_encoding.h"

cVector<ParamRangeList> g_ParamTable;

namespace {

struct Row {
  std::string_view utf8Name;
  std::int32_t min;
  std::int32_t max;
};

constexpr std::int32_t kUnbounded = 2147483647;

void SetRows(int kind, const std::vector<Row>& rows) {
  ParamRangeList& list = g_ParamTable[kind];
  list.resize(rows.size());
  std::size_t index = 0;
  for (const Row& row : rows) {
    PARAMRANGE& range = list[static_cast<long long>(index++)];
    range.strName = platform::Cp932FromUtf8(row.utf8Name);
    range.nMin = row.min;
    range.nMax = row.max;
  }
}

// The rows of the three summons: their own leading rows, then the formation,
// the count and the offsets.
std::vector<Row> SummonRows(std::initializer_list<Row> leading) {
  std::vector<Row> rows(leading);
  rows.insert(rows.end(), {
                              {"フォーメーション固有1", 0, kUnbounded},
                              {"フォーメーション固有2", 0, kUnbounded},
                              {"フォーメーション固有3", 0, kUnbounded},
                              {"数", 1, 127},
                              {"召喚位置のズレX(dot)", -640, 640},
                              {"召喚位置のズレY(dot)", -640, 640},
                          });
  return rows;
}

}  // namespace

void BuildParamTable() {
  g_ParamTable.resize(kCharaCmdKindCount);
  for (ParamRangeList& list : g_ParamTable) list.clear();
  for (int aimedMove : {kCmdStraightMove, kCmdChargeMove}) {
    SetRows(aimedMove, {
                           {"目標X(bl)", -640, 640},
                           {"目標X(dot)", -640, 640},
                           {"目標Y(bl)", -640, 640},
                           {"目標Y(dot)", -640, 640},
                           {"角度", -7200, 7200},
                           {"分身値による増加角度", -7200, 7200},
                       });
  }
  SetRows(kCmdHomingMove, {
                              {"誘導性能の悪さ", 0, 10},
                              {"分身値による増加誘導性能の悪さ", 0, 10},
                              {"目標X(bl)", -640, 640},
                              {"目標X(dot)", -640, 640},
                              {"目標Y(bl)", -640, 640},
                              {"目標Y(dot)", -640, 640},
                          });
  SetRows(kCmdShot, {
                        {"グラフィック", 1, 120},
                        {"Z座標", 0, 7},
                        {"フォーメーション固有1", 0, kUnbounded},
                        {"フォーメーション固有2", 0, kUnbounded},
                        {"フォーメーション固有3", 0, kUnbounded},
                        {"発射数", 1, 127},
                        {"発射数に対する分身数", 0, 20},
                        {"角度のズレ", -7200, 7200},
                        {"分身値による角度のズレ", -7200, 7200},
                        {"分散角度", 0, 180},
                        {"発射位置のズレX(dot)", -640, 640},
                        {"分身値による発射位置のズレX(dot)", -640, 640},
                        {"発射位置のズレY(dot)", -640, 640},
                        {"分身値による発射位置のズレY(dot)", -640, 640},
                        {"勢力", 0, 7},
                        {"移動タイプ固有1", 0, kUnbounded},
                        {"移動タイプ固有2", 0, kUnbounded},
                        {"移動タイプ固有3", 0, kUnbounded},
                        {"速度", -200, 200},
                        {"分身値による増加速度", -200, 200},
                        {"加速度", -200, 200},
                        {"分身値による増加加速度", -200, 200},
                        {"飛距離(hbl)", 0, 64},
                        {"分身値による増加飛距離", -40, 40},
                        {"存在時間(1/10s)", 1, 999},
                        {"分身値よる増加存在時間", -99, 99},
                        {"消滅値", 1, 9},
                        {"威力", -999999, 999999},
                        {"衝撃", -20, 20},
                    });
  SetRows(kCmdSword, {{"勢力", 0, 7}, {"Z座標", 0, 7}, {"威力", -999999, 999999}, {"衝撃", -20, 20}});
  SetRows(kCmdSummonBlock, SummonRows({}));
  SetRows(kCmdSummonChara, SummonRows({{"存在時間(1/10s)", 1, 9999}, {"勢力", 0, 7}}));
  SetRows(kCmdSummonItem, SummonRows({{"存在時間(1/10s)", 1, 9999}}));
  SetRows(kCmdStageClear, {
                              {"次のステージの番号", 1, 99},
                              {"次のステージの初期位置X(bl)", 0, 999},
                              {"次のステージの初期位置Y(bl)", 0, 999},
                              {"クリア後のワールドマップの位置X", 0, 999},
                              {"クリア後のワールドマップの位置Y", 0, 999},
                          });
  SetRows(kCmdMessage, {
                           {"メッセージID", 0, 999},
                           {"座標X(bl)", 0, 20},
                           {"座標Y(bl)", 0, 15},
                           {"表示位置のズレX(dot)", -999, 999},
                           {"表示位置のズレY(dot)", -999, 999},
                       });
  SetRows(kCmdWarp, {
                        {"距離(hbl)", 0, 64},
                        {"分身値による増加距離(hbl)", -40, 40},
                        {"目標X(bl)", -640, 640},
                        {"目標Y(bl)", -640, 640},
                        {"目標Xのズレ(dot)", -640, 640},
                        {"目標Yのズレ(dot)", -640, 640},
                    });
  SetRows(kCmdSetTarget, {
                             {"対象勢力", 0, 7},
                             {"対象キャラID", 0, 99},
                             {"キャラ変数と比較する数値", -999999, 999999},
                         });
  SetRows(kCmdStatus, {{"乱数の最小値", -999999, 999999}, {"乱数の最大値", -999999, 999999}});
  SetRows(kCmdVanish, {{"対象勢力", 0, 7}});
  SetRows(kCmdChangeGraphic, {{"グラフィック", 1, 119}, {"ズレ", -999, 999}});
  SetRows(kCmdEffect, {
                          {"座標X(bl)", 0, 511},
                          {"座標Y(bl)", 0, 511},
                          {"表示位置のズレX(dot)", -999, 999},
                          {"表示位置のズレY(dot)", -999, 999},
                          {"表示倍率(%)", 1, 1000},
                      });
  SetRows(kCmdPicture, {
                           {"ピクチャーID", 0, 999},
                           {"座標X(bl)", 0, 511},
                           {"座標Y(bl)", 0, 511},
                           {"表示位置のズレX(dot)", -999, 999},
                           {"表示位置のズレY(dot)", -999, 999},
                           {"表示倍率(%)", 1, 1000},
                       });
  SetRows(kCmdScreenColor, {{"R", 0, 255}, {"G", 0, 255}, {"B", 0, 255}, {"%", 0, 100}});
  SetRows(kCmdBackground, {{"背景番号", 1, 8}});
}

ParamRangeList& ParamListAt(long long kind) { return g_ParamTable[kind]; }

PARAMRANGE& ParamRangeAt(ParamRangeList& list, long long index) { return list[index]; }
