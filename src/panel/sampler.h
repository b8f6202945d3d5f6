#pragma once

#include "records/record_file_writer.h"

#include <QString>

class Program;

// The sampling timer's work: every SamplingTime ticks one sample of the live readings
// goes to the live list (when open) and to the record file (while recording), with the
// continuation files of long recordings and the dump of a full live list.
class Sampler {
public:
    static constexpr int MaxRecordsPerFile = 345600;
    static constexpr int MaxListRows = 345600;
    static constexpr int MaxSamplingTime = 86400;

    explicit Sampler(Program &program);

    // One tick of Timer2.
    void tick();

    // Starts recording to the chosen file: captures the type and unit, writes the heading.
    // False (and still idle) when the file cannot be created; the user has been told.
    bool startRecording(const QString &path);
    void stopRecording();
    void setSamplingTime(int seconds);

    int SamplingTime = 1;
    int SampleTick = 0;

private:
    // The live list's part of a sample; false when the list was closed instead.
    bool feedList(const QString &stamp);
    // The record file's part of a sample; false when recording stopped instead.
    bool feedRecording(const QString &stamp);
    void dumpList();
    void showRecordingState();
    // A recording that cannot write stops, keeping what it wrote, and says why.
    void failRecording(const QString &fileName, const QString &reason);

    Program &m_program;
    RecordFileWriter m_file{RecordFileWriter::Flush::EveryLine};
};
