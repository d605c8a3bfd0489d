#include "simulation/sim_launch.h"

#include "engine/app_options.h"
#include "simulation/sim_file_names.h"

namespace kovalin {

tRunResult SimulateKind(const tRecordSource& table, const tSimLaunchSettings& settings,
                        tSimulationType kind, const std::string& fileName, tSimHost& host) {
  tSimMDB sim(&table);
  tInputFormRec& ip = sim.InputParams;
  ip.epsilon_correction = AppOptions.epsilon;
  ip.paramrec_Init = settings.recordInit;
  ip.paramrec_End = settings.recordEnd;
  ip.paramrec_activerec = settings.recordInit;
  ip.NumSamples = settings.numSamples;
  ip.SpeSamplesTol = SamplesTolerance(settings.numSamples, settings.tolerancePercent);
  ip.FileName = fileName;
  ip.FileNameLog = LogFileName(fileName);
  ip.delimiter = settings.delimiter;
  ip.ShowGrid = settings.showGrid;
  ip.Windows_ShutDown = settings.shutDown;
  ip.Windows_ShutDown_Delay = settings.shutDownDelay;
  ip.App_ProcessMessages = settings.processMessages;
  ip.Seed = settings.seed;
  sim.SetalfaLevel(AppOptions.alfa_level);
  AppOptions.maxsamples = settings.numSamples;
  sim.pSimulationType = kind;
  return sim.execute(host);
}

}  // namespace kovalin
