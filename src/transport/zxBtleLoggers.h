#pragma once
#include "transport/zxBtleIdentifiers.h"
#include "transport/zxBtleLogger.h"
#include "transport/zxBtlePeripheral.h"

#include <vector>

class CzxBtlePlatform;

// The Bluetooth LE loggers found in this run, which of them is selected, and
// the remembered ones. Not locked itself: its manager holds the lock.
class CzxBtleLoggers
{
public:
    // The platform that knows the devices; none: the list alone.
    void SetPlatform(CzxBtlePlatform* platform) { m_platform = platform; }

    // Indexes, or -1 when nothing matches.
    int IndexForPeripheral(const CzxBtlePeripheral& peripheral) const;
    int IndexForIdentifier(const wxString& identifier) const;
    int IndexForLogger(const CzxBtleLogger& logger) const;

    void Clear();
    void MoveLoggerToEnd(const CzxBtleLogger& logger);
    void AddLogger(const CzxBtleLogger& logger);
    void AddPeripheral(const CzxBtlePeripheral& peripheral);
    void AddPeripherals(const std::vector<CzxBtlePeripheral>& peripherals);
    // A discovery: a fresh entry in the place of the old one, or appended.
    void DidDiscover(const CzxBtlePeripheral& peripheral);
    void AddIdentifiersAndConnected();
    void DisconnectAll();

    // The selected entry's index, or the number of entries when none is.
    int GetSelectedIndex() const;
    bool IsSelectedValid() const;
    // An index outside the list clears the selection.
    void SetSelectedIndex(int index);
    void SetSelectedNone();
    // The scan dialog opens: remembered and connected loggers join the list
    // and the selected one moves to its end.
    void InitDialog();
    // The remembered choice of the options, when the adapter still knows it.
    void LoadSelected(const wxString& identifier, const wxString& name);
    void LoadUserDefaults();

    const std::vector<CzxBtleLogger>& GetLoggers() const { return m_loggers; }
    // The entry itself, for the open to fill in; none when out of range.
    CzxBtleLogger* GetLogger(int index);
    const wxString& GetSelected() const { return m_selected; }

    CzxBtleIdentifiers m_identifiers;

private:
    CzxBtleLogger FromPeripheral(const CzxBtlePeripheral& peripheral, bool rememberedName) const;

    CzxBtlePlatform* m_platform = nullptr;
    std::vector<CzxBtleLogger> m_loggers;
    wxString m_selected;
};
