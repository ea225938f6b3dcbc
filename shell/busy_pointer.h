#pragma once
// The busy mouse pointer for as long as the object lives: scans, formatting runs, saves.
// Nested guards are fine; the normal pointer returns when the outermost one ends.
namespace brixel {

class BusyPointer {
 public:
  BusyPointer();
  ~BusyPointer();
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;
};

}  // namespace brixel
