// Part-level commands: work on single parts of a library without unpacking
// it. A part is named as expand names it (the header's first word, cut at
// its first "," or ";" or ":") and its text is the text expand would write.
#pragma once

#include <string>
#include <vector>

#include "engine/format/libKind.h"
#include "engine/logSink.h"
#include "engine/ops/runControl.h"

// Writes every component of each name to a file of its own in folder (""
// the current one), as expand would (file names, collision rule, rebuilt
// header); no list file. done when every name was found, failed otherwise
// or after a fatal error. The control's existing says what a file there
// already gets (refused: nothing is written).
opResult extractParts(const libKind& kind, const std::string& libraryPath, const std::vector<std::string>& names,
                 logSink& log, const std::string& folder = "", const runControl* control = nullptr);

// The names of the library's parts as expand names them, each once, in the
// order they first appear. done, or failed after a fatal error (logged).
opResult partNames(const libKind& kind, const std::string& libraryPath, std::vector<std::string>& names, logSink& log);

// The text of the first component of name. done with text set; failed
// with a message when the library cannot be read or has no such part.
opResult printPart(const libKind& kind, const std::string& libraryPath, const std::string& name, std::string& text,
              logSink& log);

// Puts the parts read from the component files into the library: a name
// the library has replaces its first component in place (later ones are
// dropped), a new name is appended. The result is the library compress makes
// of what expand would write, with those files in place. A missing library
// is created. done when written; failed with nothing changed after any
// error (damaged when the control's refuseDamage found the library damaged).
// A control's stop, seen before each part of the library, leaves it
// unchanged too ("Add: --- CANCELLED ---", cancelled); progress counts its
// parts.
opResult addParts(const libKind& kind, const std::string& libraryPath, const std::vector<std::string>& files,
             logSink& log, const runControl* control = nullptr);

// Removes every component of each name; the result is the library compress
// makes of the rest. failed with nothing changed when a name is missing.
// Stops and progress as for addParts.
opResult deleteParts(const libKind& kind, const std::string& libraryPath, const std::vector<std::string>& names,
                logSink& log, const runControl* control = nullptr);

// Gives every part of oldName the name newName in place: its header line
// (as expand writes it) carries the new name and keeps everything else. With
// ako, the header lines that name oldName as their ako name newName too;
// without, each is named as a notice. failed with nothing changed when
// oldName is missing, newName names a part already, or newName is a name a
// header line and the index cannot carry (empty, blanks, ",", ";", ":").
// Whether a header line and the index can carry name as a part's name: not
// empty, and no blank, ",", ";" or ":".
bool carriableName(const std::string& name);
opResult renamePart(const libKind& kind, const std::string& libraryPath, const std::string& oldName,
                    const std::string& newName, bool ako, logSink& log, const runControl* control = nullptr);

// Compares two libraries part by part: "- NAME" only in the first, "+ NAME"
// only in the second, "~ NAME" in both with other text; the first library's
// order, then the second's. With unified, each such part's texts (all its
// components) are shown as "diff -u" shows two files instead, headed
// "--- FIRST:NAME" and "+++ SECOND:NAME"; a part on one side only is shown
// whole. A part cut short on either side (the library's end or a line too
// long inside it) is "! NAME cut short", a difference. unreadable only when
// a library can't be opened or read.
diffResult diffLibraries(const libKind& kind, const std::string& first, const std::string& second, logSink& out,
                  logSink& log, bool unified = false);

// The texts of every component of name, in library order, as expand would
// write them; "" when there is none. False after a fatal error (logged).
bool partTexts(const libKind& kind, const std::string& libraryPath, const std::string& name, std::string& text,
               logSink& log);
