#pragma once
// The project's global data objects. They are built by StartProjectData and
// destroyed by StopProjectData, in a fixed order, instead of by static
// initialisation: every object exists from start-up to shutdown, and the
// shutdown path ends the worker threads before it stops the data.

#include <cstdio>
#include <cstdlib>
#include <optional>

#include "foundation/checked_vector.h"
#include "project/database.h"
#include "project/frame_tables.h"
#include "project/system_record.h"
#include "project/user_option.h"
#include "project/world_map.h"

// One global object with an explicit lifetime.
template <typename T>
class cGlobalObject {
 public:
  constexpr explicit cGlobalObject(const char* name) : name_(name) {}

  void Start() { object_.emplace(); }
  void Stop() { object_.reset(); }
  bool IsStarted() const { return object_.has_value(); }

  T& operator*() { return Get(); }
  T* operator->() { return &Get(); }
  const T& operator*() const { return const_cast<cGlobalObject*>(this)->Get(); }
  const T* operator->() const { return &const_cast<cGlobalObject*>(this)->Get(); }

 private:
  T& Get() {
    if (!object_) {
      // A use outside start-up and shutdown is a fault of the program itself.
      std::fprintf(stderr, "%s used before StartProjectData or after StopProjectData\n", name_);
      std::abort();
    }
    return *object_;
  }

  const char* name_;
  std::optional<T> object_;
};

extern cGlobalObject<cSystem> g_System;
extern cGlobalObject<cDatabase> g_Database;
extern cVector<Pattern> g_AnimeFrameTable;
extern cVector<Pattern> g_EffectFrameTable;
extern cGlobalObject<cWorldMap> g_WorldMap;
extern cGlobalObject<cUserOption> g_UserOption;

// Builds the objects with their defaults, in this order: system record,
// database, frame tables (empty), world map, user options.
void StartProjectData();
// Destroys them in the reverse order. The worker threads must have ended.
void StopProjectData();
