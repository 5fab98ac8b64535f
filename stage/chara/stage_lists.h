#pragma once
// The stage's object lists. Objects live at stable addresses for their whole
// life (target slots, parents and shots point at them). A list may be walked
// while objects are appended (the walk visits them) or removed: a removed
// object is gone at once for every walk, lookup and count, and is freed at
// the next safe point of the game thread (Purge), never under a walker.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

template <typename T>
class cObjectList {
 public:
  // The owning pointers in one array: a walk reads the next object's address
  // without waiting for the previous one, so the loads of many objects are
  // in flight at once (a linked list would chain them one after another).
  using Storage = std::vector<std::unique_ptr<T>>;

  T& Append(std::unique_ptr<T> object) {
    T& added = *object;
    m_objects.push_back(std::move(object));
    ++m_count;
    ++m_version;
    return added;
  }
  // Marks the object gone; it is freed by the next Purge.
  void Remove(T& object) {
    if (object.removed) return;
    object.removed = 1;
    --m_count;
    ++m_version;
    m_pending = true;
  }
  // Frees every removed object.
  void Purge() {
    if (!m_pending) return;
    std::erase_if(m_objects, [](const std::unique_ptr<T>& object) { return object->removed != 0; });
    m_pending = false;
  }
  void Clear() {
    m_objects.clear();
    m_count = 0;
    ++m_version;
    m_pending = false;
  }
  std::size_t Count() const { return m_count; }
  // Whether an object was removed since the last Purge.
  bool PurgePending() const { return m_pending; }
  // Changes whenever an object is appended or removed: indexes built over
  // the list compare it to know when to rebuild.
  std::uint64_t Version() const { return m_version; }

  // Calls f on every live object in list order, appended ones included (by
  // index: an append may move the array, never the objects).
  template <typename F>
  void ForEach(F&& f) {
    for (std::size_t i = 0; i < m_objects.size(); ++i)
      if (T& object = *m_objects[i]; !object.removed) f(object);
  }
  // As ForEach, stopping at the first object for which f returns false;
  // false when the walk was stopped.
  template <typename F>
  bool All(F&& f) {
    for (std::size_t i = 0; i < m_objects.size(); ++i)
      if (T& object = *m_objects[i]; !object.removed && !f(object)) return false;
    return true;
  }
  // The first live object for which f holds; null when none.
  template <typename F>
  T* Find(F&& f) {
    for (std::size_t i = 0; i < m_objects.size(); ++i)
      if (T* object = m_objects[i].get(); !object->removed && f(*object)) return object;
    return nullptr;
  }

 private:
  Storage m_objects;
  std::size_t m_count = 0;
  std::uint64_t m_version = 0;
  bool m_pending = false;
};

class cStageChara;
class cStageItem;
class cHero;

extern cObjectList<cStageChara> g_CharaList;
extern cObjectList<cStageItem> g_ItemList;
extern std::vector<std::unique_ptr<cHero>> g_Heroes;

// Element n of g_Heroes; element 0 (after a report line) for a bad index;
// null only when there is no hero at all.
cHero* VecAtHero(long long n);
// The player's hero (element 0), null before the first set-up.
cHero* PlayerHero();
