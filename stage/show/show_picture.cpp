#include "stage/show/show_picture.h"

#include <algorithm>
#include <limits>
#include <string>
#include <utility>

#include "definitions/command_record.h"
#include "foundation/log.h"
#include "foundation/message_box.h"
#include "graphics/device/device.h"
#include "graphics/images/bitmap_load.h"
#include "graphics/images/image.h"
#include "project/database.h"
#include "project/global_data.h"
#include "stage/chara/chara.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_lists.h"
#include "stage/core/double_to_int.h"
#include "stage/core/stage_rules.h"
#include "stage/scene/scene_resources.h"
#include "stage/scene/stage_scene.h"
#include "stage/show/message_record.h"
#include "stage/show/show_params.h"
#include "stage/show/show_wait.h"
#include "stage/show/shown_pictures.h"

namespace {

enum PictureParam : int {
  kParamPicture = 0,
  kParamPlace = 1,
  kParamX = 2,
  kParamY = 3,
  kParamOffsetX = 4,
  kParamOffsetY = 5,
  kParamLayer = 6,
  kParamPercent = 7,
  kParamDuration = 8,
  kParamTime = 9,
  kParamWait = 10,
  kParamScreenFixed = 11,
  kParamIdSwitch = 12,
  kParamId = 13,
  kParamOneFrame = 14,
};

constexpr int kFullSize = 100;

// The picture's pixels, or (without a screen) only its size.
struct LoadedPicture {
  DDSURFACEDATA surface;
  bool hasSurface = false;
  int width = 0;
  int height = 0;
};

bool LoadPicture(const std::string& file, LoadedPicture& out) {
  if (g_DDState.bInitialized) {
    const int result =
        DDCreateSurfaceFromFile(&out.surface, file.c_str(), 1, g_DDState.nBpp, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0, 0, 0, 0);
    if (!CheckSurfaceErr(result)) {
      DDReleaseSurface(&out.surface);
      return false;
    }
    out.hasSurface = true;
    out.width = out.surface.nWidth;
    out.height = out.surface.nHeight;
    return true;
  }
  cImage image;
  if (!LoadImageFile(file.c_str(), image)) return false;
  out.width = image.width;
  out.height = image.height;
  return true;
}

void ReportLoadFailure(const std::string& file) {
  const char* line = Cp932Literal("%s 読み込み失敗！");
  ErrorBoxF(line, file.c_str());
  DebugLogF(line, file.c_str());
  PostFailureClose();
}

int FollowedNumber(const cChara& chara, int place) {
  if (place == kPictureOnSelf) return chara.number;
  if (place == kPictureOnHero) {
    const cHero* hero = PlayerHero();
    return hero != nullptr ? hero->number : 0;
  }
  return 0;
}

// The fields of the entry from the command; the size from the picture.
void SetUpEntry(cShownPicture& p, const cChara& chara, const cEdCmd& command, int width, int height) {
  auto param = [&](int i) { return command.ParamOrZero(i); };
  p.picture = static_cast<std::uint16_t>(param(kParamPicture));
  p.place = param(kParamPlace);
  p.x = param(kParamX);
  p.y = param(kParamY);
  p.offsetX = param(kParamOffsetX);
  p.offsetY = param(kParamOffsetY);
  const int percent = param(kParamPercent);
  p.width = ScaledPictureSize(width, percent);
  p.height = ScaledPictureSize(height, percent);
  p.stretch = percent != kFullSize ? 1 : 0;
  p.layer = param(kParamLayer);
  p.duration = param(kParamDuration);
  p.followed = FollowedNumber(chara, p.place);
  p.remaining = ShowFrames(param(kParamTime), param(kParamOneFrame));
  p.wait = param(kParamWait);
  p.screenFixed = param(kParamScreenFixed);
  p.remembered = p.rememberedX = p.rememberedY = 0;
  p.idSwitch = param(kParamIdSwitch);
  p.id = param(kParamId);
  p.lastCentreX = p.lastCentreY = 0;
  if (p.followed != 0) {
    if (const cChara* followed = FindCharaById(p.followed)) {
      p.lastCentreX = followed->x + (followed->hitWidth >> 1);
      p.lastCentreY = followed->y + (followed->hitHeight >> 1);
    }
  }
  // Without following, a character-centred picture keeps the stage point
  // where the character stood.
  if (!g_StageRules.pictureFollow && (p.place == kPictureOnSelf || p.place == kPictureOnHero)) {
    p.x = TruncToInt(p.lastCentreX - (p.width >> 1)) + p.offsetX;
    p.y = TruncToInt(p.lastCentreY - (p.height >> 1)) + p.offsetY;
  }
}

// The file of picture n, or nothing (reported) outside the list.
const std::string* PictureFile(int n) {
  const auto& pictures = g_Database->m_vPicture;
  if (n < 1 || static_cast<std::size_t>(n) >= pictures.size()) {
    ReportAndLog("Picture display: picture %d does not exist (1..%d)", n, static_cast<int>(pictures.size()) - 1);
    return nullptr;
  }
  return &pictures[n].m_strFile;
}

}  // namespace

std::int32_t ScaledPictureSize(std::int32_t size, std::int32_t percent) {
  const std::int64_t n = static_cast<std::int64_t>(size) * percent;
  const std::int64_t rounded = n >= 0 ? (n + 50) / 100 : -((-n + 50) / 100);
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(rounded, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

void ShowPicture(cChara& chara, const cEdCmd& command) {
  cStageScene* scene = StageScene();
  if (scene == nullptr || scene->m_bQuit.load()) return;
  const int picture = command.ParamOrZero(kParamPicture);
  const bool withId = command.ParamOrZero(kParamIdSwitch) != 0;
  if (picture == 0 && !withId) {
    ClearShownPictures(*scene);
    return;
  }
  cShownPicture* found = withId ? FindShownPicture(*scene, command.ParamOrZero(kParamId)) : nullptr;
  if (picture == 0) {
    if (found != nullptr) RemoveShownPicture(*scene, found->serial);
    return;
  }
  const std::string* file = PictureFile(picture);
  if (file == nullptr) return;
  const bool reuse = found != nullptr && found->file == *file;
  LoadedPicture loaded;
  if (reuse) {
    loaded.width = found->hasSurface ? found->surface.nWidth : found->sourceWidth;
    loaded.height = found->hasSurface ? found->surface.nHeight : found->sourceHeight;
  } else if (!LoadPicture(*file, loaded)) {
    if (found != nullptr) RemoveShownPicture(*scene, found->serial);
    ReportLoadFailure(*file);
    return;
  }
  cShownPicture& entry = found != nullptr ? *found : scene->m_Draw.shows.pictures.emplace_back();
  entry.serial = ++scene->m_Draw.shows.nextSerial;
  if (!reuse) {
    ReleasePictureSurface(entry);
    if (loaded.hasSurface) entry.surface = std::move(loaded.surface);
    entry.hasSurface = loaded.hasSurface;
    entry.file = *file;
    entry.sourceWidth = loaded.width;
    entry.sourceHeight = loaded.height;
  }
  SetUpEntry(entry, chara, command, loaded.width, loaded.height);
  if (!entry.wait) return;
  const std::uint32_t serial = entry.serial;
  WaitWhileShown(*scene, kWaitPicture, entry.duration, entry.remaining, 0);
  RemoveShownPicture(*scene, serial);
}
