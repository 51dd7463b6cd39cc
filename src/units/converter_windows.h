#pragma once

#include "units/converter_dlg.h"

// The converter windows. Each is the common pattern with its own fields over the units and rules
// of unit_tables.h (converter_tables.cpp); the speed window adds its cursor (speed_dlg.h).
extern const ConverterWindow kLengthWindow;
extern const ConverterWindow kAreaWindow;
extern const ConverterWindow kVolumeWindow;
extern const ConverterWindow kWeightWindow;
extern const ConverterWindow kSpeedWindow;
extern const ConverterWindow kTimeWindow;
extern const ConverterWindow kTemperatureWindow;

class CLengthDlg : public CConverterDlg {
 public:
  CLengthDlg() : CConverterDlg(kLengthWindow) {}
};

class CAreaDlg : public CConverterDlg {
 public:
  CAreaDlg() : CConverterDlg(kAreaWindow) {}
};

class CVolumeDlg : public CConverterDlg {
 public:
  CVolumeDlg() : CConverterDlg(kVolumeWindow) {}
};

class CWeightDlg : public CConverterDlg {
 public:
  CWeightDlg() : CConverterDlg(kWeightWindow) {}
};

class CTimeDlg : public CConverterDlg {
 public:
  CTimeDlg() : CConverterDlg(kTimeWindow) {}
};

class CTempDlg : public CConverterDlg {
 public:
  CTempDlg() : CConverterDlg(kTemperatureWindow) {}
};
