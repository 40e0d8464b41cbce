#include "soundoutputmodule.h"

#include "soundoutput.h"

std::unique_ptr<CueOutput> SoundOutputModule::makeOutput()
{
    return std::make_unique<SoundOutput>();
}
