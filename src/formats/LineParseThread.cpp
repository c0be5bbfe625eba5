#include "formats/LineParseThread.h"

#include <utility>

#include "formats/LineReader.h"
#include "formats/RecipeTextParser.h"

namespace pantrio {

LineParseThread::LineParseThread(LineReader& reader, std::string firstLine,
                                 RecipeTextParser& parser, ImportQueue& queue)
    : reader_(reader), line_(std::move(firstLine)), parser_(parser), queue_(queue) {
    parser_.onTitle = [this](const std::string& title) { Send(ImportEvent::Kind::Title, title); };
    parser_.onMessage = [this](const std::string& message, bool dropped) {
        Send(ImportEvent::Kind::Message, message, dropped);
    };
    parser_.onRecipe = [this](Recipe& recipe) {
        ImportEvent event;
        event.kind = ImportEvent::Kind::Recipe;
        event.line = lineNumber_;
        event.recipe = std::make_unique<Recipe>(std::move(recipe));
        // Working out the stored values here spares the storing thread,
        // the slower of the two.
        event.rows = std::make_unique<RecipeRows>(PrepareRecipeRows(*event.recipe));
        queue_.Push(std::move(event));
    };
    try {
        thread_ = std::thread([this] { Run(); });
    } catch (...) {
        parser_.onRecipe = nullptr;
        parser_.onMessage = nullptr;
        parser_.onTitle = nullptr;
        throw;
    }
}

LineParseThread::~LineParseThread() {
    Stop();
    queue_.Close();
    Join();
    parser_.onRecipe = nullptr;
    parser_.onMessage = nullptr;
    parser_.onTitle = nullptr;
}

void LineParseThread::Join() {
    if (thread_.joinable()) thread_.join();
}

void LineParseThread::Send(ImportEvent::Kind kind, std::string text, bool flag, long number) {
    ImportEvent event;
    event.kind = kind;
    event.line = lineNumber_;
    event.text = std::move(text);
    event.flag = flag;
    event.number = number;
    queue_.Push(std::move(event));
}

void LineParseThread::NoteOpenRecipe() {
    const bool open = parser_.RecipeOpen();
    if (open == open_ &&
        (!open || (parser_.OpenLine() == openLine_ && parser_.OpenTitle() == openTitle_))) {
        return;
    }
    open_ = open;
    openLine_ = parser_.OpenLine();
    openTitle_ = parser_.OpenTitle();
    Send(ImportEvent::Kind::OpenRecipe, openTitle_, open_, openLine_);
}

void LineParseThread::Run() {
    // A failed read shows from the breath before the line read with it, or
    // after the last line when no line came with it.
    const auto noteReadFailure = [this](long visibleFrom) {
        if (readFailed_ || !reader_.ReadError()) return;
        readFailed_ = true;
        ImportEvent event;
        event.kind = ImportEvent::Kind::ReadFailed;
        event.line = visibleFrom;
        queue_.Push(std::move(event));
    };
    try {
        int shownPercent = 0;
        bool more = true;
        while (more) {
            lineNumber_ = reader_.LineNumber();
            noteReadFailure(lineNumber_);
            if (stop_.load(std::memory_order_relaxed)) break;
            if (reader_.LastLineCut()) Send(ImportEvent::Kind::LineCut);
            parser_.Feed(line_, lineNumber_);
            NoteOpenRecipe();
            const int percent = reader_.Percent();
            if (percent != shownPercent) {
                shownPercent = percent;
                Send(ImportEvent::Kind::Percent, {}, false, percent);
            }
            more = reader_.Next(line_);
        }
        if (more) {
            parser_.Finish(true, lineNumber_ - 1);
        } else {
            noteReadFailure(lineNumber_ + 1);
            Send(ImportEvent::Kind::LinesDone);
            parser_.Finish(false, lineNumber_);
        }
    } catch (...) {
        ImportEvent event;
        event.kind = ImportEvent::Kind::Failed;
        event.line = lineNumber_;
        event.failure = std::current_exception();
        try {
            queue_.Push(std::move(event));
        } catch (...) {
        }
    }
    // The storing thread waits for the end: when even that cannot be sent,
    // closing the queue ends its wait.
    try {
        if (queue_.Push(ImportEvent{})) return;
    } catch (...) {
    }
    queue_.Close();
}

}  // namespace pantrio
