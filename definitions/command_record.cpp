#include "definitions/command_record.h"

#include "definitions/command_upgrades.h"
#include "definitions/flow_record.h"

namespace {

constexpr std::uint32_t kCondListSince = 764;

// Command levels being loaded on this thread: a command's flows hold
// commands, which hold flows, and a damaged file could nest them without end.
thread_local int t_loadingDepth = 0;

class NestingGuard {
 public:
  explicit NestingGuard(DataReader& in) {
    if (++t_loadingDepth > kMaxCommandNesting) in.Fail("commands nested too deeply");
  }
  ~NestingGuard() { --t_loadingDepth; }
  NestingGuard(const NestingGuard&) = delete;
  NestingGuard& operator=(const NestingGuard&) = delete;
};

// A present word, then the record when it is not 0; a 0 drops the held record.
template <typename Record>
void ReadOptionalRecord(DataReader& in, ClonedRecord<Record>& holder) {
  const auto present = in.Read<std::uint32_t>();
  if (!in.ok()) return;
  if (present == 0) {
    holder.Reset();
    return;
  }
  if (!holder) holder.Emplace();
  holder->Load(in);
}

template <typename Record>
void WriteOptionalRecord(DataWriter& out, const ClonedRecord<Record>& holder) {
  out.Write<std::uint32_t>(holder ? 1 : 0);
  if (holder) holder->Save(out);
}

}  // namespace

cEdCmd::cEdCmd() = default;
cEdCmd::cEdCmd(const cEdCmd& other) = default;
cEdCmd::cEdCmd(cEdCmd&& other) noexcept = default;
cEdCmd& cEdCmd::operator=(const cEdCmd& other) = default;
cEdCmd& cEdCmd::operator=(cEdCmd&& other) noexcept = default;
cEdCmd::~cEdCmd() = default;

void cEdCmd::RegisterFields(FieldRegistry& fields, std::uint32_t) {
  fields.AddField1(&m_nFamily);
  fields.AddField1(&m_nKind);
  fields.AddField2(&m_nTime);
  fields.AddField2(&m_nTimeStep);
  fields.AddField1(&m_bInstant);
  fields.AddField2(&m_nSound);
  fields.AddField1(&m_bHeroOnlySound);
  fields.AddField2(&m_nAnime);
  fields.AddString(&m_strCode);
}

void cEdCmd::Load(DataReader& in) {
  NestingGuard guard(in);
  cRecord::Load(in);
  ReadOptionalRecord(in, m_Move);
  ReadOptionalRecord(in, m_Shot);
  if (in.Version() >= kCondListSince) ReadOptionalRecord(in, m_CondList);
  ReadFlowList(in, m_vFlows);
  DropTestPlayFlows(m_vFlows);
  const std::int32_t count = in.ReadCount(sizeof(std::int32_t));
  if (count < 0) in.Fail("negative parameter count");
  if (!in.ok()) return;
  m_vParams.assign(static_cast<std::size_t>(count), 0);
  in.ReadArray(m_vParams.data(), m_vParams.size());
  if (!in.ok()) return;
  UpgradeCommand(*this, in.Version());
  Validate();
}

void cEdCmd::Save(DataWriter& out) {
  Validate();
  cRecord::Save(out);
  WriteOptionalRecord(out, m_Move);
  WriteOptionalRecord(out, m_Shot);
  WriteOptionalRecord(out, m_CondList);
  WriteRecordList(out, m_vFlows);
  out.WriteCount(m_vParams.size());
  out.WriteArray(m_vParams.data(), m_vParams.size());
}

void cEdCmd::Clear() {
  cRecord::Clear();
  m_Move.Reset();
  m_Shot.Reset();
  m_CondList.Reset();
  m_bHeroOnlySound = 1;
}

int cEdCmd::CharaKind() const {
  if (m_nFamily == kFamilyChara) return m_nKind < kCharaCmdKindCount ? m_nKind : -1;
  if (m_nFamily == kFamilyItem) return CharaKindOfItem(m_nKind);
  return -1;
}
