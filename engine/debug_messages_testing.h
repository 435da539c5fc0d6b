#pragma once

#include <functional>
#include <string>

// The program never looks at its debug texts: WriteDebugMessage drops them.
// Tests that check what the drawing and the pool reader report install an
// observer here; an empty function (the default) observes nothing.
void SetDebugMessageObserver(std::function<void(const std::string&)> observer);
