#pragma once
// The small records of a stage: a removal area (cEdStageCond), a background
// layer (cEdBackground) and an entry of the stage's text list (cEdStageText).

#include <cstdint>
#include <string>

#include "foundation/record.h"

// One of the stage's five removal areas: an object beyond a switched-on side,
// by more than that side's distance in blocks from the screen, is removed.
// The five areas serve characters, block characters, items, shots of side 0
// and the other shots, in that order.
class cEdStageCond : public cRecord {
 public:
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;
  void Set(std::uint32_t left, std::uint32_t right, std::uint32_t top, std::uint32_t bottom,
           std::uint32_t leftDist, std::uint32_t rightDist, std::uint32_t topDist, std::uint32_t bottomDist);
  // An area is on when any of its four switches is.
  bool IsOn() const { return m_bLeft || m_bRight || m_bTop || m_bBottom; }

  std::uint32_t m_bLeft = 0;
  std::uint32_t m_bRight = 0;   // stored from data version 125
  std::uint32_t m_bTop = 0;     // 125
  std::uint32_t m_bBottom = 0;  // 125
  std::uint32_t m_nLeft = 0;    // distances in blocks
  std::uint32_t m_nRight = 0;
  std::uint32_t m_nTop = 0;
  std::uint32_t m_nBottom = 0;
};

// An object's box in stage dots.
struct StageBox {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
};

// Whether an object with `box` lies in the removal area, the screen's
// top-left corner standing at (scrollLeft, scrollTop): beyond a switched-on
// side, or touching the edges of the whole stage (`stageEdges`: from 0 to
// its width and height in dots, margins included).
bool IsInRemovalArea(const cEdStageCond& area, const StageBox& box, double scrollLeft, double scrollTop,
                     const StageBox& stageEdges);

// A background layer: a picture, or a plain fill of the whole screen, drawn
// in one pass and scrolled at its own rate, optionally by itself.
class cEdBackground : public cRecord {
 public:
  cEdBackground() { SetDefaults(); }
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;
  // Cleared, shown, fill colour 16, scroll rates 0.1.
  void SetDefaults();

  std::uint32_t Show = 1;  // stored from version 62
  std::uint32_t Fill = 0;  // a plain colour fill of the whole screen
  std::uint32_t FillColour = 16;
  std::uint32_t Pass = 0;  // drawing pass of the layer
  double RateX = 0.1;      // scroll rate relative to the stage (61)
  double RateY = 0.1;
  std::uint32_t AutoX = 0;  // automatic scrolling (61)
  std::uint32_t AutoY = 0;
  double AutoSpeedX = 0;  // dots per update of the layers (876)
  double AutoSpeedY = 0;
  std::string Image;   // the picture file
  double OffsetX = 0;  // current automatic offset (62)
  double OffsetY = 0;

 private:
  // Words of old versions in the place of the rates (below 61) or of the
  // offsets (61), read and dropped.
  std::uint32_t m_anDropped[2] = {};
};

// One entry of the stage's text list, carried with the stage.
class cEdStageText : public cRecord {
 public:
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;

  std::string Text;
};
