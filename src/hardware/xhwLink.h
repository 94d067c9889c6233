#pragma once

class CxhwBox;

// Drops every link of the box at once, from the main thread, without draining:
// the last resort when the box thread does not end.
void xhwAbortLink(CxhwBox& box);
