#pragma once
// Vectors and lists whose indexed access checks the index. A bad index is a
// fatal error of the program, not undefined behaviour: the access writes
// "err V[%d] ( %d , %d )" (vectors) or "err L[%d] ( %d , %d )" (lists) with
// the index, the element count and the element's logged size to the debug log
// and the report, asks the main thread to close, and still hands back a usable
// element (element 0, or a default element when there is none) so that the
// running frame can finish before the program closes.
//
// The logged size is the element's size in the data layout the game was
// written for, not sizeof: a class states it as
//   static constexpr int kLoggedSize = 76;
// numbers log their own width, pointers 4, std::string and std::vector 16,
// std::list 12; anything else logs sizeof.

#include <list>
#include <string>
#include <type_traits>
#include <vector>

namespace checked_detail {

// Matches std::vector and std::list and every class built on them (the
// checked containers themselves, so that nested ones log their own size).
template <typename T, typename A>
std::true_type IsVectorBased(const std::vector<T, A>*);
std::false_type IsVectorBased(...);
template <typename T, typename A>
std::true_type IsListBased(const std::list<T, A>*);
std::false_type IsListBased(...);
template <typename T>
inline constexpr bool kIsVector = decltype(IsVectorBased(static_cast<const T*>(nullptr)))::value;
template <typename T>
inline constexpr bool kIsList = decltype(IsListBased(static_cast<const T*>(nullptr)))::value;

template <typename T>
constexpr int LoggedSize() {
  if constexpr (requires { T::kLoggedSize; }) return T::kLoggedSize;
  else if constexpr (std::is_pointer_v<T>) return 4;
  else if constexpr (std::is_same_v<T, std::string> || std::is_base_of_v<std::string, T>) return 16;
  else if constexpr (kIsVector<T>) return 16;
  else if constexpr (kIsList<T>) return 12;
  else return static_cast<int>(sizeof(T));
}

// Writes the bad-index line to both logs and asks the main thread to close;
// `kind` is 'V' for vectors, 'L' for lists.
void ReportBadIndex(char kind, long long index, std::size_t count, int elementSize);

// The element handed back when there is none to hand back; reset on every
// use, one per thread so that writes into it never race.
template <typename T>
T& FallbackElement() {
  thread_local T fallback{};
  fallback = T{};
  return fallback;
}

}  // namespace checked_detail

template <typename T>
class cVector : public std::vector<T> {
 public:
  using std::vector<T>::vector;

  T& operator[](long long index) { return At(*this, index); }
  const T& operator[](long long index) const { return At(const_cast<cVector&>(*this), index); }

 private:
  static T& At(cVector& self, long long index) {
    std::vector<T>& items = self;
    if (index >= 0 && static_cast<unsigned long long>(index) < items.size())
      return items[static_cast<std::size_t>(index)];
    checked_detail::ReportBadIndex('V', index, items.size(),
                                   checked_detail::LoggedSize<T>());
    if (items.empty()) return checked_detail::FallbackElement<T>();
    return items.front();
  }
};

template <typename T>
class cList : public std::list<T> {
 public:
  using std::list<T>::list;

  // Element `index`, walked from the head.
  T& At(long long index) {
    std::list<T>& items = *this;
    if (index >= 0 && static_cast<unsigned long long>(index) < items.size()) {
      auto element = items.begin();
      std::advance(element, index);
      return *element;
    }
    checked_detail::ReportBadIndex('L', index, items.size(), checked_detail::LoggedSize<T>());
    return checked_detail::FallbackElement<T>();
  }
  const T& At(long long index) const { return const_cast<cList&>(*this).At(index); }
};
