#pragma once

class CxhwBox;

// The answer to the list request (code 4) for every logger type: the box's
// stored-file mailbox is filled from the files' headers or, for loggers that
// only keep slots, with a lettered list. Box thread only.
void zxBoxFetchFileList(CxhwBox& box);
// True when the list building must stop: the box left its connect state or
// the request was replaced.
bool zxBoxIsFetchStopped(CxhwBox& box);
void xhwListStoredFileHeaders(CxhwBox& box);
void xhwListStoredFileLetters(CxhwBox& box);
