// The reading half of a line import (LineImport.h): a thread of its own reads
// the file's lines, feeds them to the parser and pushes what the parser
// reports to an ImportQueue, each event tagged with its line. While it runs,
// the parser, the reader and the recipes being read belong to that thread
// alone; a finished recipe is moved into the queue.
#pragma once

#include <atomic>
#include <string>
#include <thread>

#include "formats/ImportQueue.h"

namespace pantrio {

class LineReader;
class RecipeTextParser;

class LineParseThread {
public:
    // Starts reading at `firstLine`, which `reader` has just returned. The
    // parser's callbacks are taken over until the thread ends.
    LineParseThread(LineReader& reader, std::string firstLine, RecipeTextParser& parser,
                    ImportQueue& queue);
    // Stops the thread (closing the queue) and waits for it, whatever state the
    // import is in.
    ~LineParseThread();
    LineParseThread(const LineParseThread&) = delete;
    LineParseThread& operator=(const LineParseThread&) = delete;

    // Asks the thread to stop after the line it is reading: the parser then
    // gets Finish(true, thatLine), and the queue gets the end.
    void Stop() { stop_.store(true, std::memory_order_relaxed); }
    // Waits for the thread to end; the queue must have given its End event
    // or have been closed.
    void Join();

private:
    void Run();
    void Send(ImportEvent::Kind kind, std::string text = {}, bool flag = false, long number = 0);
    // Tells the storing thread when the recipe a cancel would cut off changed.
    void NoteOpenRecipe();

    LineReader& reader_;
    std::string line_;
    RecipeTextParser& parser_;
    ImportQueue& queue_;
    std::atomic<bool> stop_{false};
    long lineNumber_ = 0;  // the line being fed, which the events are tagged with
    bool readFailed_ = false;
    bool open_ = false;  // the open recipe as last sent
    std::string openTitle_;
    long openLine_ = 0;
    std::thread thread_;  // last: started once everything above is set up
};

}  // namespace pantrio
