#pragma once

// Graph tool types.
enum
{
    TOOL_POSITION = 1,
    TOOL_READING = 2,
    TOOL_CHANGE = 3,
    TOOL_DIFFERENCE = 4,
    TOOL_GRADIENT = 5,
    TOOL_AREA = 6,
};

// Whether the user level allows the graph tool of this type.
bool docIsToolAllowed(int type);
