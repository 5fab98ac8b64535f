#pragma once
// A running character "me" with a target in slot 1 and a hero, over the fake
// game, and helpers that run code texts and collect the boxes they showed.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "evaluator/code_evaluator.h"
#include "platform/message_box.h"
#include "tests/evaluator/fake_code_access.h"
#include "tests/foundation/scratch_folder.h"

class EvaluatorTest : public ScratchFolderTest {
 protected:
  void SetUp() override {
    ScratchFolderTest::SetUp();
    platform::TakeHeadlessBoxes();
    me.targets[0] = &target;
    game.hero = &hero;
  }

  // ExecCode for "me".
  int Exec(std::string_view text) { return ExecCode(game, text, me.handle()); }
  // The value of a text for "me", with the error flag cleared first.
  std::int32_t Value(std::string_view text) {
    g_CodeError = false;
    return ParseCode(CodeScope{game, me.handle()}, text);
  }
  // The texts of the boxes shown since the last call (UTF-8).
  static std::vector<std::string> Boxes() {
    std::vector<std::string> texts;
    for (const platform::ShownBox& box : platform::TakeHeadlessBoxes()) texts.push_back(box.text);
    return texts;
  }

  FakeCodeAccess game;
  FakeChara me, target, hero;
};
