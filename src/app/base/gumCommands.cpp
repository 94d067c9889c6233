#include "app/base/gumCommands.h"

#include <mutex>

namespace {
std::mutex g_posterMutex;
gumCommandPoster g_poster;
} // namespace

void gumSetCommandPoster(gumCommandPoster poster)
{
    std::lock_guard<std::mutex> lock(g_posterMutex);
    g_poster = std::move(poster);
}

void gumPostCommand(int id, int value)
{
    // Held while posting, so that the frame cannot go away in between.
    std::lock_guard<std::mutex> lock(g_posterMutex);
    if (g_poster)
        g_poster(id, value);
}
