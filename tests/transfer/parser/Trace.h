#pragma once
// Records every event of a parser as one line of text, so that two runs can
// be compared as a whole and a table can state what an input must give.
#include <string>
#include <vector>

#include "transfer/components/ickXMLp.h"

struct TraceRecorder {
    std::vector<std::string> Events;
    // Answer given to every entity reference; null leaves the reference.
    const char* EntityAnswer = nullptr;
    // Event kinds (the letters below) whose handler ends the input; every
    // such event ends it when EndEvery is 1, every n-th when it is n.
    std::string EndOn;
    int EndEvery = 1;
    int Seen = 0;

    void Attach(TickXMLp& p) {
        auto add = [this, &p](char kind, std::string line) {
            Events.push_back(std::move(line));
            if (EndOn.find(kind) != std::string::npos && ++Seen % EndEvery == 0)
                p.SetEndOfInput(true);
        };
        auto withAttrs = [add, &p](char kind, const String& name) {
            std::string line = std::string(1, kind) + "(" + name;
            for (int i = 1; i <= p.AttrCount(); ++i)
                line += " " + p.AttrName(i) + "=" + p.AttrValue(i);
            add(kind, line + ")");
        };
        p.OnBeginElement = [withAttrs](TObject*, const String& n) { withAttrs('B', n); };
        p.OnEmptyElement = [withAttrs](TObject*, const String& n) { withAttrs('E', n); };
        p.OnEndElement = [add](TObject*, const String& n) { add('/', "/(" + n + ")"); };
        p.OnText = [add](TObject*, const String& t) { add('T', "T(" + t + ")"); };
        p.OnComment = [add](TObject*, const String& t) { add('C', "C(" + t + ")"); };
        p.OnPI = [add](TObject*, const String& t) { add('P', "P(" + t + ")"); };
        p.OnMeta = [add](TObject*, const String& t) { add('M', "M(" + t + ")"); };
        p.OnSpecialSection = [add](TObject*, const String& id, const String& t) {
            add('S', "S(" + id + "," + t + ")");
        };
        p.OnEvalEntity = [this, add](TObject*, const String& e, String& v) {
            const std::string line = "X(" + e + "," + v + ")";
            if (EntityAnswer) v = EntityAnswer;
            add('X', line);
        };
        p.OnError = [add](TObject*, int, const String&) { add('!', "ERROR"); };
    }

    std::string Joined() const {
        std::string all;
        for (const auto& e : Events) all += (all.empty() ? "" : "|") + e;
        return all;
    }
};
