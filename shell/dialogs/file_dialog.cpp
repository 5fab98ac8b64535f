#include "shell/dialogs/file_dialog.h"

#include "foundation/message_box.h"
#include "foundation/record_stream.h"
#include "foundation/text_format.h"
#include "shell/dialogs/file_chooser.h"

namespace {

struct ModeTexts {
  const char* title;
  const char* englishTitle;
  const char* folder;
  const char* description;
  const char* pattern;
};

constexpr ModeTexts kModes[] = {
    {"ステージファイルの読み込み", "load stage file", "data\\stg4\\", "StageFile ( *.stg4_*;*.rpl4_* )",
     "*.stg4_*;*.rpl4_*"},
    {"リプレイファイルの読み込み", "load replay file", "user_data\\rpl4", "ReplayFile ( *.rpl4_* )", "*.rpl4_*"},
    {"リプレイファイルの保存", "save replay file", "user_data\\rpl4\\", "", ""},
};

std::string Title(const ModeTexts& texts, int english) { return english ? texts.englishTitle : Cp932Literal(texts.title); }

}  // namespace

const DialogTemplate& FileDialogTemplate() {
  static const DialogTemplate layout{"ファイルの選択", true, 53, 35, {{1075, ItemKind::Picture, "", 7, 7, 20, 21, false}}, false};
  return layout;
}

cFileDlg::cFileDlg(std::string* path, int mode, int english)
    : cDialog(FileDialogTemplate()), m_pPath(path), m_nMode(mode), m_bEnglish(english) {}

void cFileDlg::OnInitDialog(std::uintptr_t wParam, std::intptr_t lParam) {
  cDialog::OnInitDialog(wParam, lParam);
  DataToCtrlAll();
  const ModeTexts& texts = kModes[m_nMode == FILEDLG_SAVE_REPLAY ? 2 : m_nMode == FILEDLG_LOAD_REPLAY ? 1 : 0];
  std::string buffer;
  int chosen = 0;
  if (m_nMode == FILEDLG_SAVE_REPLAY) {
    const std::string extension = ReplayFileExtension();
    std::string description, pattern;
    Format(description, "ReplayFile ( *.%s )", extension.c_str());
    Format(pattern, "*.%s", extension.c_str());
    buffer = *m_pPath;
    chosen = SaveFileDialog(buffer, texts.folder, Title(texts, m_bEnglish), description, pattern, extension, 1, m_bEnglish);
  } else {
    chosen = OpenFileDialog(buffer, texts.folder, Title(texts, m_bEnglish), texts.description, texts.pattern, m_bEnglish);
  }
  *m_pPath = buffer;
  EndDialog(chosen ? 1 : 0);
}

int OpenFileDialog(std::string& buffer, const std::string& startFolder, const std::string& title,
                   const std::string& description, const std::string& pattern, int english) {
  buffer.clear();
  FileChooserRequest request{false, english, title, startFolder, description, pattern, {}};
  return RunFileChooser(request, buffer) ? 1 : 0;
}

int SaveFileDialog(std::string& buffer, const std::string& startFolder, const std::string& title,
                   const std::string& description, const std::string& pattern, const std::string& defaultExtension,
                   int keepName, int english) {
  if (!keepName) buffer.clear();
  FileChooserRequest request{true, english, title, startFolder, description, pattern, defaultExtension};
  std::string chosen = buffer;
  if (!RunFileChooser(request, chosen)) return 0;
  buffer = chosen;
  return 1;
}
