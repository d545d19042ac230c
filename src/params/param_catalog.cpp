#include "params/param_catalog.h"

namespace {

using F = TField;

const TParamEntry kFileParams[] = {
    {F::RPM_ADV, "rpm"},        {F::ADVANCE, "deg"},
    {F::RPM_PULSES, ""},        {F::RPM_CORRECTION, ""},
    {F::LIMITER2, "rpm"},       {F::PILOT_LIGHT, "rpm"},
    {F::INTAKE_VALVE, "rpm"},   {F::BIKE, ""},
    {F::BLOK_ENABLE, ""},       {F::IAP_TO_TPS, "%"},
    {F::TPS_MODE, ""},          {F::RPM_JET_TP, "rpm"},
    {F::JET_TP, "%"},           {F::RPM_JET_TPi, "rpm"},
    {F::JET_TPi, "%"},          {F::RPM_JET_IAP, "rpm"},
    {F::JET_IAP, "%"},          {F::TPS_0, "mV"},
    {F::TPS_100, "mV"},         {F::ACCEL_THRESHOLD, "%/s"},
    {F::ACCEL_SIZE, "us"},      {F::START_JET, "ms"},
    {F::COOLING, "C"},          {F::WATER_TEMP, "%"},
    {F::CHOKE_TIME, "s"},       {F::CHOKE_CORR, "%"},
    {F::AIR_TEMP, "%"},         {F::PRIV_ENABLE, ""},
    {F::PRIV_HYSTER, "mV"},     {F::RPM_PRIV, "rpm"},
    {F::NAP_PRIV, "mV"},        {F::TUNING_LAMBDA, "mV"},
    {F::TUNING_ACCURACY, "mV"}, {F::TUNING_RPM, "rpm"},
    {F::TUNING_TPS, "%"},       {F::TUNING_STEP, "ms"},
};

constexpr int kTpRowPercent[10] = {0, 2, 5, 10, 20, 30, 40, 60, 80, 100};

}  // namespace

const TParamEntry* FileParams(int& count) {
    count = static_cast<int>(sizeof kFileParams / sizeof kFileParams[0]);
    return kFileParams;
}

const TParamEntry* FileParam(TField f) {
    for (const TParamEntry& e : kFileParams)
        if (e.field == f) return &e;
    return nullptr;
}

TField MapAxis(TField map) {
    return map == F::JET_TP ? F::RPM_JET_TP : map == F::JET_TPi ? F::RPM_JET_TPi : F::RPM_JET_IAP;
}

int MapRowLoad(TField map, int row) {
    return map == F::JET_IAP ? 10 * row + 10 : kTpRowPercent[row];
}

const char* MapLoadName(TField map) {
    return map == F::JET_IAP ? "IAP" : "TP";
}

const char* MapCaption(TField map) {
    return map == F::JET_TP ? "TP Map 14" : map == F::JET_TPi ? "TP Map 23" : "IAP Map";
}
