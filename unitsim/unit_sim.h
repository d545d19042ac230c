// The virtual unit: answers the PC's frames as the real unit does, keeps its own 600-byte memory,
// runs a small engine model for the monitor frames, and can be told to misbehave.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine_model.h"
#include "monitor_source.h"

// What the virtual unit can be made to do wrong. Block numbers are 0-5; -1 means none.
struct TUnitFaults {
    bool silent = false;         // answers nothing at all
    bool wrongCheck = false;     // every answer carries a wrong check byte
    int holdTicks = 0;           // every answer is held back this many ticks
    int copies = 1;              // each answer is sent this many times in a row
    int trailingBytes = 0;       // garbage bytes after each answer
    uint8_t layoutVersion = 43;  // reported in block 0 and in the monitor frame
    int differingBlock = -1;     // this block is answered with one byte changed
    int silentBlock = -1;        // this block gets no answer
    int silentWriteBlock = -1;   // writes of this block get no answer; reads are answered
    int wrongCodeBlock = -1;     // this block is answered with the code of the next block
    int dropEvery = 0;           // every n-th answer is lost (0: none)
    int saveTicks = 55;          // ticks the unit takes to store after a full programming;
                                 // 0 or less: stored at once, no saving countdown reported
    TEnginePoint point;          // the engine is held here from the next tick while held
};

class TUnitSim {
  public:
    TUnitSim();

    // Bytes from the PC; complete frames are answered.
    void Receive(const uint8_t* data, size_t n);
    // One tick of 55 ms: the engine moves on, held answers fall due.
    void Tick();
    size_t Available() const { return outCount_; }
    size_t Take(uint8_t* out, size_t cap);

    TUnitFaults faults;
    TEngineModel engine;
    // Answers monitor requests in place of the engine while set (a replayed log, replay.h).
    TMonitorSource* monitorSource = nullptr;

    std::array<uint8_t, 600>& Memory() { return memory_; }
    const std::array<uint8_t, 600>& Memory() const { return memory_; }
    int FramesReceived() const { return framesReceived_; }
    int CommandsSeen(uint8_t code) const { return commandCount_[code]; }
    // The codes of the frames received so far, oldest first (the first kCommandLogSize).
    static constexpr int kCommandLogSize = 4096;
    std::vector<uint8_t> CommandLog() const {
        return std::vector<uint8_t>(commandLog_.begin(), commandLog_.begin() + logCount_);
    }
    // The same without the monitor requests.
    std::vector<uint8_t> BlockCommandLog() const {
        std::vector<uint8_t> out;
        for (int i = 0; i < logCount_; ++i)
            if (commandLog_[static_cast<size_t>(i)] != 48)
                out.push_back(commandLog_[static_cast<size_t>(i)]);
        return out;
    }
    uint16_t SavingCountdown() const { return savingCountdown_; }
    uint16_t Programmings() const { return programmings_; }
    void SetTitle(const char* title);

  private:
    void Answer(const uint8_t* frame);
    void Queue(const uint8_t* frame);
    void Send(const uint8_t* frame);
    void Emit(const uint8_t* bytes, size_t n);
    void BuildMonitorFrame(uint8_t* f);

    std::array<uint8_t, 600> memory_{};
    std::array<uint8_t, 102> inFrame_{};
    size_t inCount_ = 0;

    // Answers waiting for their tick.
    struct THeld {
        std::array<uint8_t, 102> frame;
        int dueTick;
    };
    std::array<THeld, 64> held_{};  // beyond this many answers held at once, answers are lost
    int heldCount_ = 0;

    std::array<uint8_t, 16384> out_{};
    size_t outStart_ = 0, outCount_ = 0;

    int tick_ = 0;
    int framesReceived_ = 0;
    int answers_ = 0;
    std::array<int, 256> commandCount_{};
    std::array<uint8_t, kCommandLogSize> commandLog_{};
    int logCount_ = 0;
    bool programmed_[6] = {};
    uint16_t savingCountdown_ = 0;
    int savingTicksLeft_ = 0;
    uint16_t programmings_ = 0;
    TEnginePoint appliedPoint_;  // the held point last handed to the engine
};
