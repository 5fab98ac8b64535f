#pragma once
// Where a bindable parameter of a command lives. Each command kind that an
// author can bind has one accessor: given the command and the parameter's
// index in the kind's parameter list, it names the storage (a small
// parameter, a field of the movement record or of the shot record) with the
// storage's width. One table holds them all, indexed by the character
// command kind; a kind without an accessor is not bindable.

#include <cstdint>

class cEdCmd;

// A reference to one stored number of a command, whatever its width.
class ParamRef {
 public:
  enum class Width : std::uint8_t { None, U8, I8, U16, I16, I32 };

  ParamRef() = default;
  ParamRef(std::uint8_t& v) : ptr_(&v), width_(Width::U8) {}
  ParamRef(std::int8_t& v) : ptr_(&v), width_(Width::I8) {}
  ParamRef(std::uint16_t& v) : ptr_(&v), width_(Width::U16) {}
  ParamRef(std::int16_t& v) : ptr_(&v), width_(Width::I16) {}
  ParamRef(std::int32_t& v) : ptr_(&v), width_(Width::I32) {}

  // A reference that reads 0 and ignores writes: the kind accepts the
  // binding but has nothing to change.
  bool IsNone() const { return width_ == Width::None; }
  std::int32_t Get() const;
  // Stores the value truncated to the storage's width.
  void Set(std::int32_t value) const;

 private:
  void* ptr_ = nullptr;
  Width width_ = Width::None;
};

// Whether the kind has an accessor (the table is 40 entries long).
bool IsBindableKind(int kind);
// The storage of parameter `index` of a command of bindable `kind`. An index
// outside the kind's list, a missing record or a kind that keeps nothing
// gives the none reference.
ParamRef ParamAt(cEdCmd& command, int kind, int index);
