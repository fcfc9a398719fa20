// CLumoraAlarm: the three daily alarms. For now it only keeps the place in
// the main frame: loading, the timer tick and the acknowledgement do nothing.
#pragma once

#include "framework/Object.h"

class CHidOutput;

class CLumoraAlarm : public CObject {
public:
    void Load() {}
    void OnTimer(CHidOutput&) {}
    void Acknowledge() {}
};
