#pragma once
#include "transport/zxMessageBox.h"

// Shows a box as the toolkit's modal message dialog, without a parent.
int zxShowMessageDialog(const CzxBoxCall& call);
