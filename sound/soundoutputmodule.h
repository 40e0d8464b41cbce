#pragma once

#include "cueoutput.h"

#include <QObject>

// The sound output module's plugin object: a new SoundOutput for each wave player.
class SoundOutputModule : public QObject, public CueOutputFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ZUBBO_CUE_OUTPUT_IID)
    Q_INTERFACES(CueOutputFactory)
public:
    std::unique_ptr<CueOutput> makeOutput() override;
};
