#include "views/docTool.h"

#include "app/appOptions.h"

bool docIsToolAllowed(int type)
{
    static const int kFeatures[] = {FEATURE_TOOL_POSITION, FEATURE_TOOL_READING, FEATURE_TOOL_CHANGE,
                                    FEATURE_TOOL_DIFFERENCE, FEATURE_TOOL_GRADIENT, FEATURE_TOOL_AREA};
    if (type < TOOL_POSITION || type > TOOL_AREA)
        return false;
    const CappOptions* options = appGetOptions();
    return options && options->IsAllowed(kFeatures[type - 1]);
}
