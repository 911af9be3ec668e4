// Speed of writing the settings file: Serialize of a new document with the forms' defaults.
#include "Parameters.h"
#include "RecordingPrompt.h"
#include "SettingsWriter.h"

#include <benchmark/benchmark.h>

namespace {

// A document as the forms leave it at start-up: clock and timing computed for their defaults.
CKXC2280RegisterWizardDoc MakeDocument() {
    CKXC2280RegisterWizardDoc doc;
    ApplyParameters(DefaultParameters(), doc);
    doc.OnNewDocument();
    doc.ComputeTiming(false);
    return doc;
}

void BM_Serialize_DefaultDocument(benchmark::State& state) {
    CKXC2280RegisterWizardDoc doc = MakeDocument();
    RecordingPrompt prompt(false);
    for (auto _ : state) {
        CMemoryOutputFile file;
        CArchive ar(CArchive::store, file, prompt);
        Serialize(doc, ar);
        benchmark::DoNotOptimize(file.Bytes().data());
    }
}
BENCHMARK(BM_Serialize_DefaultDocument);

} // namespace

BENCHMARK_MAIN();
