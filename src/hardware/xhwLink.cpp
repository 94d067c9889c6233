#include "hardware/xhwLink.h"

#include "hardware/xhwBox.h"

void xhwAbortLink(CxhwBox&)
{
    // The links of the box are not built yet, so none can be open.
}
