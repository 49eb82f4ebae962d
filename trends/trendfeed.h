#pragma once

#include "trendrecorder.h"

#include <QObject>

// Feeds a recorder from anything that emits the decoded update signals: the main window, or the
// response decoder itself.
template <class Source>
void connectTrendFeed(Source *source, TrendRecorder *recorder)
{
    QObject::connect(source, &Source::signalSetType, recorder, &TrendRecorder::slotSetType);
    QObject::connect(source, &Source::signalSetGeneralState, recorder, &TrendRecorder::slotSetGeneralState);
    QObject::connect(source, &Source::signalSetSmoke, recorder, &TrendRecorder::slotSetSmoke);
    QObject::connect(source, &Source::signalSet_T_ULo, recorder, &TrendRecorder::slotSet_T_ULo);
    QObject::connect(source, &Source::signalSetThresholdT, recorder, &TrendRecorder::slotSetThresholdT);
    QObject::connect(source, &Source::signalSetIPD_FireThreshold, recorder,
                     &TrendRecorder::slotSetIPD_FireThreshold);
    QObject::connect(source, &Source::signalSetU, recorder, &TrendRecorder::slotSetU);
    QObject::connect(source, &Source::signalSetAdditionData, recorder, &TrendRecorder::slotSetAdditionData);
    QObject::connect(source, &Source::signalRynRegistersUpdated, recorder,
                     &TrendRecorder::slotRynRegistersUpdated);
}
