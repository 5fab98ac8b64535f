#pragma once
// The element that lists of definition records start from before each
// element loads its stream: a record of the class, cleared. Members that an
// older file lacks keep these values.

template <typename Record>
Record ClearedRecord() {
  Record record;
  record.Clear();
  return record;
}
