#pragma once
#include <functional>

// Queues a command (id and integer value) for the main frame, from any thread.
// The application installs the poster while its main frame exists; without one
// the command is dropped.
void gumPostCommand(int id, int value);

using gumCommandPoster = std::function<void(int id, int value)>;
void gumSetCommandPoster(gumCommandPoster poster);
