#include "transport/zxBtleLoggers.h"

#include "transport/zxBtlePlatform.h"

CzxBtleLogger* CzxBtleLoggers::GetLogger(int index)
{
    return index >= 0 && size_t(index) < m_loggers.size() ? &m_loggers[size_t(index)] : nullptr;
}

CzxBtleLogger CzxBtleLoggers::FromPeripheral(const CzxBtlePeripheral& peripheral, bool rememberedName) const
{
    CzxBtleLogger logger;
    logger.hasPeripheral = true;
    logger.identifier = CzxBtleIdentifiers::Canonical(peripheral.identifier);
    logger.name = peripheral.name;
    if (logger.name.empty() && rememberedName)
        logger.name = m_identifiers.NameOf(logger.identifier);
    return logger;
}

int CzxBtleLoggers::IndexForPeripheral(const CzxBtlePeripheral& peripheral) const
{
    const wxString id = CzxBtleIdentifiers::Canonical(peripheral.identifier);
    for (size_t i = 0; i < m_loggers.size(); ++i) {
        if (m_loggers[i].hasPeripheral && m_loggers[i].identifier == id)
            return int(i);
    }
    return -1;
}

int CzxBtleLoggers::IndexForIdentifier(const wxString& identifier) const
{
    const wxString id = CzxBtleIdentifiers::Canonical(identifier);
    for (size_t i = 0; i < m_loggers.size(); ++i) {
        if (!id.empty() && m_loggers[i].identifier == id)
            return int(i);
    }
    return -1;
}

int CzxBtleLoggers::IndexForLogger(const CzxBtleLogger& logger) const
{
    if (logger.hasPeripheral)
        return IndexForPeripheral({logger.identifier, logger.name});
    if (!logger.identifier.empty())
        return IndexForIdentifier(logger.identifier);
    return -1;
}

void CzxBtleLoggers::Clear()
{
    m_loggers.clear();
}

void CzxBtleLoggers::MoveLoggerToEnd(const CzxBtleLogger& logger)
{
    const CzxBtleLogger moved = logger; // it may be the entry itself
    const int index = IndexForLogger(moved);
    if (index < 0)
        return;
    m_loggers.erase(m_loggers.begin() + index);
    m_loggers.push_back(moved);
}

void CzxBtleLoggers::AddLogger(const CzxBtleLogger& logger)
{
    const int index = IndexForLogger(logger);
    if (index < 0) {
        CzxBtleLogger added = logger;
        if (added.name.empty())
            added.name = m_identifiers.NameOf(added.identifier);
        m_loggers.push_back(added);
        return;
    }
    CzxBtleLogger& existing = m_loggers[size_t(index)];
    if (!logger.name.empty())
        existing.name = logger.name;
    if (!logger.identifier.empty())
        existing.identifier = logger.identifier;
    if (logger.hasPeripheral)
        existing.hasPeripheral = true;
    if (existing.name.empty())
        existing.name = m_identifiers.NameOf(existing.identifier);
}

void CzxBtleLoggers::AddPeripheral(const CzxBtlePeripheral& peripheral)
{
    const int index = IndexForPeripheral(peripheral);
    const CzxBtleLogger logger = FromPeripheral(peripheral, true);
    if (index < 0) {
        m_loggers.push_back(logger);
        return;
    }
    CzxBtleLogger existing = m_loggers[size_t(index)];
    if (!logger.name.empty())
        existing.name = logger.name;
    if (existing.name.empty())
        existing.name = m_identifiers.NameOf(existing.identifier);
    m_loggers.erase(m_loggers.begin() + index);
    m_loggers.push_back(existing);
}

void CzxBtleLoggers::AddPeripherals(const std::vector<CzxBtlePeripheral>& peripherals)
{
    for (const CzxBtlePeripheral& peripheral : peripherals)
        AddPeripheral(peripheral);
}

void CzxBtleLoggers::DidDiscover(const CzxBtlePeripheral& peripheral)
{
    const CzxBtleLogger logger = FromPeripheral(peripheral, false);
    if (logger.identifier.empty())
        return;
    const int index = IndexForPeripheral(peripheral);
    if (index < 0)
        m_loggers.push_back(logger);
    else
        m_loggers[size_t(index)] = logger;
}

void CzxBtleLoggers::AddIdentifiersAndConnected()
{
    if (!m_platform)
        return;
    std::vector<CzxBtlePeripheral> known;
    for (const wxString& identifier : m_identifiers.GetIdentifiers()) {
        CzxBtlePeripheral peripheral;
        if (m_platform->Retrieve(identifier, peripheral))
            known.push_back(peripheral);
    }
    AddPeripherals(known);
    AddPeripherals(m_platform->RetrieveConnected(zxBtleServiceUUID));
}

void CzxBtleLoggers::DisconnectAll()
{
    if (!m_platform)
        return;
    for (const CzxBtleLogger& logger : m_loggers) {
        if (logger.hasPeripheral)
            m_platform->Disconnect(logger.identifier);
    }
}

int CzxBtleLoggers::GetSelectedIndex() const
{
    const int index = IndexForIdentifier(m_selected);
    return index < 0 ? int(m_loggers.size()) : index;
}

bool CzxBtleLoggers::IsSelectedValid() const
{
    const int index = IndexForIdentifier(m_selected);
    return index >= 0 && m_loggers[size_t(index)].hasPeripheral;
}

void CzxBtleLoggers::SetSelectedIndex(int index)
{
    if (index < 0 || size_t(index) >= m_loggers.size())
        m_selected.clear();
    else
        m_selected = m_loggers[size_t(index)].identifier;
}

void CzxBtleLoggers::SetSelectedNone()
{
    m_selected.clear();
}

void CzxBtleLoggers::InitDialog()
{
    AddIdentifiersAndConnected();
    const int index = IndexForIdentifier(m_selected);
    if (index >= 0)
        MoveLoggerToEnd(m_loggers[size_t(index)]);
}

void CzxBtleLoggers::LoadSelected(const wxString& identifier, const wxString& name)
{
    if (CzxBtleIdentifiers::Canonical(identifier).empty()) {
        m_selected.clear();
        return;
    }
    CzxBtlePeripheral peripheral;
    if (!m_platform->Retrieve(identifier, peripheral))
        return;
    CzxBtleLogger logger = FromPeripheral(peripheral, false);
    if (logger.name.empty())
        logger.name = name;
    AddLogger(logger);
    MoveLoggerToEnd(m_loggers[size_t(IndexForLogger(logger))]);
    m_selected = logger.identifier;
}

void CzxBtleLoggers::LoadUserDefaults()
{
    m_identifiers.Load();
    AddIdentifiersAndConnected();
    m_selected.clear();
}
