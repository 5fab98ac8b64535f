#include "input/replay.h"

#include <algorithm>
#include <limits>

cReplay g_Replay;
cReplay g_ReplayPrev;

namespace {

// One word's stream: the run grows while the word stays, else a run begins.
void Append(cVector<std::uint16_t>& values, cVector<std::uint32_t>& lengths, std::uint16_t word) {
  if (!values.empty() && values.back() == word && lengths.back() < std::numeric_limits<std::uint32_t>::max()) {
    ++lengths.back();
    return;
  }
  values.push_back(word);
  lengths.push_back(1);
}

// The word at the cursor; the cursor moves on by one frame.
std::uint16_t Next(const cVector<std::uint16_t>& values, const cVector<std::uint32_t>& lengths,
                   std::uint32_t& run, std::uint32_t& frame) {
  const std::uint16_t word = values[run];
  if (++frame >= lengths[run]) {
    frame = 0;
    ++run;
  }
  return word;
}

template <typename T>
void ReadList(DataReader& in, cVector<T>& list) {
  const std::int32_t count = in.ReadCount(sizeof(T));
  list.clear();
  if (count <= 0) return;
  list.resize(static_cast<std::size_t>(count));
  in.ReadArray(list.data(), list.size());
}

template <typename T>
void WriteList(DataWriter& out, const cVector<T>& list) {
  out.WriteCount(list.size());
  out.WriteArray(list.data(), list.size());
}

void CheckRuns(DataReader& in, const cVector<std::uint16_t>& values, const cVector<std::uint32_t>& lengths) {
  if (values.size() != lengths.size()) in.Fail("replay values and run lengths differ in number");
  else if (std::find(lengths.begin(), lengths.end(), 0u) != lengths.end()) in.Fail("replay run of no frames");
}

}  // namespace

void cReplay::RegisterFields(FieldRegistry& fields, std::uint32_t) { fields.AddField4(&m_nSeed); }

void cReplay::Load(DataReader& in) {
  cRecord::Load(in);
  ReadList(in, m_vDirValue);
  ReadList(in, m_vButtonValue);
  ReadList(in, m_vDirLength);
  ReadList(in, m_vButtonLength);
  CheckRuns(in, m_vDirValue, m_vDirLength);
  CheckRuns(in, m_vButtonValue, m_vButtonLength);
}

void cReplay::Save(DataWriter& out) {
  cRecord::Save(out);
  WriteList(out, m_vDirValue);
  WriteList(out, m_vButtonValue);
  WriteList(out, m_vDirLength);
  WriteList(out, m_vButtonLength);
}

void cReplay::RecordFrame(const cInput& input) {
  Append(m_vDirValue, m_vDirLength, input.m_wDir);
  Append(m_vButtonValue, m_vButtonLength, input.m_wButton);
}

int cReplay::PlayFrame(cInput& input) {
  if (m_nDirRun >= m_vDirValue.size() || m_nButtonRun >= m_vButtonValue.size()) return 1;
  input.m_wDir = Next(m_vDirValue, m_vDirLength, m_nDirRun, m_nDirFrame);
  input.m_wButton = Next(m_vButtonValue, m_vButtonLength, m_nButtonRun, m_nButtonFrame);
  return 0;
}

void cReplay::Rewind() {
  m_nDirRun = m_nButtonRun = 0;
  m_nDirFrame = m_nButtonFrame = 0;
}

void cReplay::Empty() {
  Clear();
  m_vDirValue.clear();
  m_vButtonValue.clear();
  m_vDirLength.clear();
  m_vButtonLength.clear();
  Rewind();
}
