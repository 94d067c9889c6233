#include "transport/zxBtlePlatform.h"

CzxBtlePlatform::CzxBtlePlatform() = default;

CzxBtlePlatform::~CzxBtlePlatform() = default;
