#include "definitions/stage/stage_loader.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>

#include "definitions/stage/stage_file.h"
#include "foundation/log.h"
#include "foundation/paths.h"
#include "platform/main_thread.h"
#include "project/data_paths.h"

namespace {

// The record the loader thread reads into, and its end, which the caller
// waits for in slices of a millisecond between rounds of serving.
struct PendingStage {
  cEdStage stage;
  int loaded = 0;
  std::mutex mutex;
  std::condition_variable endedSignal;
  bool ended = false;

  void End() {
    std::lock_guard lock(mutex);
    ended = true;
    endedSignal.notify_all();
  }
  bool WaitForEnd(std::chrono::milliseconds slice) {
    std::unique_lock lock(mutex);
    return endedSignal.wait_for(lock, slice, [this] { return ended; });
  }
};

// What the loader thread runs: the read into the pending record, which keeps
// the previous stage's settings for values an older file lacks.
unsigned LoadStageProc(PendingStage& pending, const std::string& path) {
  auto in = OpenReadFile(path);
  if (!in) return 0;
  pending.stage.Load(*in);
  if (!CloseFile(*in)) return 0;
  pending.loaded = 1;
  return 1;
}

// One round of serving the caller's own work; true when the caller was asked to quit.
bool ServeCallerAndSeeQuit() {
  if (platform::IsMainThread()) {
    platform::ServeMainThread();
    return platform::QuitPosted().has_value();
  }
  ThreadMessage message;
  while (cThread::PeekMessage(message))
    if (message.id == WM_QUIT) return true;
  return cThread::StopRequested();
}

}  // namespace

int LoadStageThreaded(cThread& loader, std::string_view name, int numbered, cEdStage* copyTo,
                      cEdChara* heroTo) {
  std::string path(name);
  if (numbered && !FindLastNumberedFile(path, name, g_Extensions[EXT_STAGE])) return 0;
  MakeRelativePath(path);
  if (!CheckStageFileEnd(path)) return 0;

  auto pending = std::make_shared<PendingStage>();
  static_cast<cEdStageSettings&>(pending->stage) = g_Stage;
  pending->stage.ClearDefinitionLists();
  const bool started = loader.Start([pending, path] {
    const unsigned result = LoadStageProc(*pending, path);
    pending->End();
    return result;
  });
  if (!started) return 0;
  do {
    if (ServeCallerAndSeeQuit()) {
      DebugLog("msg.message == WM_QUIT");
      loader.Exit();
      return 0;
    }
  } while (!pending->WaitForEnd(std::chrono::milliseconds(1)));
  loader.Exit();

  if (!pending->loaded) {
    ErrorBoxF(Cp932Literal("ステージファイル %s の読み込みに失敗しました！"), path.c_str());
    return 0;
  }
  cEdStage& stage = pending->stage;
  stage.FilePath = path;
  stage.Numbered = numbered;
  stage.Loaded = 1;
  if (!stage.HasHero()) {
    ErrorBoxF("%s", Cp932Literal("主人公が配置されていないのでプレイできません！"));
    platform::RequestClose();
    return 0;
  }
  g_Stage = std::move(stage);
  if (copyTo) {
    static_cast<cEdStageSettings&>(*copyTo) = g_Stage;
    copyTo->ClearDefinitionLists();
  }
  if (heroTo) *heroTo = g_Stage.m_vChara[g_Stage.FindHeroStart()];
  return 1;
}
