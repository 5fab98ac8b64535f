#include "shell/dialogs/file_chooser.h"

#include <algorithm>
#include <vector>

#include "foundation/game_files.h"
#include "foundation/message_box.h"
#include "foundation/sjis.h"
#include "foundation/text_format.h"
#include "platform/filesystem.h"
#include "shell/dialogs/dialog_box.h"
#include "shell/dialogs/edit_item.h"
#include "shell/dialogs/file_listing.h"
#include "shell/dialogs/list_item.h"
#include "shell/dialogs/message_box_dialog.h"

namespace {

constexpr const char* kUpEntry = "[..]";

const DialogTemplate& ChooserTemplate() {
  static const DialogTemplate layout{
      "",
      true,
      260,
      172,
      {
          {IDC_FILE_FOLDER, ItemKind::Static, "", 7, 7, 246, 10, false},
          {IDC_FILE_LIST, ItemKind::List, "", 7, 20, 246, 100, true},
          {20, ItemKind::Static, "ファイル名:", 7, 127, 42, 10, false},
          {IDC_FILE_NAME, ItemKind::Edit, "", 50, 125, 203, 13, true},
          {IDC_FILE_FILTER, ItemKind::Static, "", 7, 143, 246, 10, false},
          {IDOK_COMMAND, ItemKind::DefPushButton, "", 146, 155, 50, 14, true},
          {IDCANCEL_COMMAND, ItemKind::PushButton, "", 203, 155, 50, 14, true},
      }};
  return layout;
}

bool HasExtension(std::string_view name) {
  bool dot = false;
  sjis::ForEachChar(name, [&](std::size_t pos, std::size_t length) {
    if (length == 1) dot = name[pos] == '.' ? true : (name[pos] == '\\' || name[pos] == '/') ? false : dot;
  });
  return dot;
}

// A name typed into the field: plain names and paths below the current
// folder only (no drive, root or "..").
bool AcceptableName(const std::vector<std::string>& parts, std::string_view typed) {
  if (parts.empty() || typed.empty() || typed.front() == '\\' || typed.front() == '/') return false;
  return std::none_of(parts.begin(), parts.end(),
                      [](const std::string& part) { return part == ".." || part == "." || part.find(':') != std::string::npos; });
}

class FileChooser final : public DialogHandler {
 public:
  FileChooser(const FileChooserRequest& request, std::string& path)
      : m_request(request), m_path(path), m_folder(SplitStoredPath(request.startFolder)) {
    if (!IsFolder(m_folder)) m_folder.clear();
  }

  bool Run() {
    DialogBox box(ChooserTemplate(), *this);
    m_box = &box;
    box.SetCaption(m_request.title);
    box.Run(platform::UiSurface::GameWindow);
    m_box = nullptr;
    return m_chosen;
  }

 private:
  static bool IsFolder(const std::vector<std::string>& parts) {
    if (parts.empty()) return true;
    std::error_code error;
    return std::filesystem::is_directory(ResolveGamePath(JoinStoredPath(parts, false)), error);
  }

  void InitDialog() override {
    const bool english = m_request.english != 0;
    m_box->SetItemText(20, english ? "File name:" : Cp932Literal("ファイル名:"));
    m_box->SetItemText(IDC_FILE_FILTER, m_request.description);
    m_box->SetItemText(IDOK_COMMAND, m_request.save ? (english ? "Save" : Cp932Literal("保存"))
                                                    : (english ? "Open" : Cp932Literal("開く")));
    m_box->SetItemText(IDCANCEL_COMMAND, english ? "Cancel" : Cp932Literal("キャンセル"));
    // A proposal with a folder opens that folder with the bare name.
    std::string proposal = m_request.save ? m_path : std::string();
    std::vector<std::string> proposed = SplitStoredPath(proposal);
    if (proposed.size() > 1) {
      proposal = proposed.back();
      proposed.pop_back();
      if (IsFolder(proposed)) m_folder = proposed;
    }
    Fill();
    m_box->SetItemText(IDC_FILE_NAME, proposal);
    m_box->SetFocus(IDC_FILE_NAME);
    if (auto* name = dynamic_cast<EditItem*>(m_box->Item(IDC_FILE_NAME))) name->Edit().SelectAll();
  }

  void Fill() {
    m_entries = ListGameFolder(JoinStoredPath(m_folder, false), m_request.patterns);
    if (!m_folder.empty()) m_entries.insert(m_entries.begin(), FileEntry{kUpEntry, "..", true});
    std::vector<std::string> lines;
    for (const FileEntry& entry : m_entries) lines.push_back(entry.folder && entry.stored != ".." ? "[" + entry.shown + "]" : entry.shown);
    if (auto* list = dynamic_cast<ListItem*>(m_box->Item(IDC_FILE_LIST))) {
      list->SetLines(std::move(lines));
      list->Select(-1);
    }
    m_box->SetItemText(IDC_FILE_FOLDER, JoinStoredPath(m_folder, true).empty() ? ".\\" : JoinStoredPath(m_folder, true));
  }

  const FileEntry* Selected() const {
    const auto* list = dynamic_cast<const ListItem*>(m_box->Item(IDC_FILE_LIST));
    if (!list || list->Selection() < 0 || list->Selection() >= static_cast<int>(m_entries.size())) return nullptr;
    return &m_entries[list->Selection()];
  }

  void Enter(const FileEntry& folder) {
    if (folder.stored == "..") {
      if (!m_folder.empty()) m_folder.pop_back();
    } else {
      m_folder.push_back(folder.stored);
    }
    Fill();
  }

  void Command(int id, int code) override {
    if (id == IDC_FILE_LIST) {
      const FileEntry* entry = Selected();
      if (!entry) return;
      if (code == LBN_SELCHANGE && !entry->folder) m_box->SetItemText(IDC_FILE_NAME, entry->shown);
      if (code == LBN_DBLCLK) entry->folder ? Enter(*entry) : Accept();
      return;
    }
    if (id == IDOK_COMMAND && code == BN_CLICKED) Accept();
    if (id == IDCANCEL_COMMAND && code == BN_CLICKED) m_box->End(0);
  }

  void CloseDialog() override { m_box->End(0); }

  // The typed name as the stored path of a file in the current folder.
  void Accept() {
    std::string typed = m_box->ItemText(IDC_FILE_NAME);
    if (typed.empty()) return;
    // The real bytes of a listed name that CP932 cannot hold.
    for (const FileEntry& entry : m_entries)
      if (!entry.folder && entry.shown == typed) typed = entry.stored;
    std::vector<std::string> parts = m_folder;
    const std::vector<std::string> typedParts = SplitStoredPath(typed);
    parts.insert(parts.end(), typedParts.begin(), typedParts.end());
    if (!AcceptableName(typedParts, typed)) return;
    if (IsFolder(parts)) {
      m_folder = parts;
      m_box->SetItemText(IDC_FILE_NAME, "");
      Fill();
      return;
    }
    if (m_request.save && !HasExtension(parts.back())) parts.back() += "." + m_request.defaultExtension;
    const std::string path = JoinStoredPath(parts, false);
    const bool exists = platform::PathExists(ResolveGamePath(path));
    if (!m_request.save && !exists) {
      MesBox(m_request.english ? "The file was not found." : Cp932Literal("ファイルが見つかりません。"), m_request.title,
             MB_OK);
      return;
    }
    if (m_request.save && exists && !ConfirmReplace(parts.back())) return;
    m_path = path;
    m_chosen = true;
    m_box->End(1);
  }

  bool ConfirmReplace(const std::string& name) {
    std::string question;
    if (m_request.english)
      Format(question, "%s already exists.\nDo you want to replace it?", name.c_str());
    else
      Format(question, Cp932Literal("%s は既に存在します。\n上書きしますか？"), name.c_str());
    return MesBox(question, m_request.title, MB_YESNO) == IDYES;
  }

  const FileChooserRequest& m_request;
  std::string& m_path;
  std::vector<std::string> m_folder;
  std::vector<FileEntry> m_entries;
  DialogBox* m_box = nullptr;
  bool m_chosen = false;
};

}  // namespace

bool RunFileChooser(const FileChooserRequest& request, std::string& path) {
  FileChooser chooser(request, path);
  return chooser.Run();
}
