#pragma once
// Setting a message up: the fields are taken from the set-up, the escapes
// expanded when it asks for it, a text measured (markers are 16 x 16), and
// a text window's surface brought in line with it. A message set up again
// keeps its place in the list (and its window surface when the size stays).

#include <string>

#include "stage/show/message_record.h"

void SetMessage(cMessage& message, MessageSetup setup);

// The text a set-up shows: its escapes expanded when it asks for it.
std::string ShownMessageText(const MessageSetup& setup);
