#pragma once

#include <QString>

// Texts of the coded unit values. The long form is for the properties table, the short form for a
// cell; a value without a text gives an empty string, and a value without a short form gives the
// long text in both forms.
QString connectionText(int value, bool longForm);
QString ionistorText(int value, bool longForm);
QString dustinessText(int value, bool longForm);
QString heaterText(int value, bool longForm);
QString inputText(int value, bool longForm);
QString outputText(int value, bool longForm);
QString valveText(int value, bool longForm);
QString loPowerText(int value, bool longForm);
QString insulatorText(int value, bool longForm);
QString sensorText(int value, bool longForm);
QString laserText(int value, bool longForm);
QString pyroText(int value, bool longForm);
QString lineText(int value, bool longForm);
QString powerFaultText(int value, bool longForm);
QString powerSupplyText(int value, bool longForm);
QString buttonText(int value, bool longForm);
QString startButtonText(int value, bool longForm);
QString coverText(int value, bool longForm);
QString channelTypeText(int value, bool longForm);
QString procTypeText(int value, bool longForm);
