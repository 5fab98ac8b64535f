#pragma once
// An optional record owned by value: copying the owner makes a new record of
// the same class with the same values, so two owners never share one record
// (a change through one copy never shows through another). Empty copies stay
// empty. Only records of exactly the class Record are held (Emplace builds
// them), so a copy can never cut off a derived part.

#include <memory>
#include <utility>

template <typename Record>
class ClonedRecord {
 public:
  ClonedRecord() = default;
  ClonedRecord(const ClonedRecord& other) : record_(Clone(other)) {}
  ClonedRecord(ClonedRecord&&) noexcept = default;
  ClonedRecord& operator=(const ClonedRecord& other) {
    if (this != &other) record_ = Clone(other);
    return *this;
  }
  ClonedRecord& operator=(ClonedRecord&&) noexcept = default;
  ~ClonedRecord() = default;

  // Replaces the held record with a new one built from the arguments.
  template <typename... Args>
  Record& Emplace(Args&&... args) {
    record_ = std::make_unique<Record>(std::forward<Args>(args)...);
    return *record_;
  }
  void Reset() { record_.reset(); }

  Record* get() const { return record_.get(); }
  Record* operator->() const { return record_.get(); }
  Record& operator*() const { return *record_; }
  explicit operator bool() const { return record_ != nullptr; }

 private:
  static std::unique_ptr<Record> Clone(const ClonedRecord& other) {
    return other.record_ ? std::make_unique<Record>(*other.record_) : nullptr;
  }

  std::unique_ptr<Record> record_;
};
