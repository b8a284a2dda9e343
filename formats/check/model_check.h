#pragma once

// The model check: a table of rules over a whole model, each with an id, a severity and, where
// the right result is certain, a fix. Qt-free, so that the editor, the merger and the batch tool
// share it.

#include "formats/check/model_problem.h"
#include "formats/mdx/mdx_model.h"
#include "textures/texture_source.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace check {

struct NodeEntry;

// What a rule sees: the model, the folder its file lies in (nothing when it has none, as for a
// model in memory; the rules on files are then silent), where its textures are looked up (beside
// the model, then the game data), and the nodes by object id.
struct CheckContext {
    const mdx::Model& model;
    std::optional<std::filesystem::path> folder;
    const textures::TextureSource* textureSource = &textures::besideModelOnly();
    std::vector<NodeEntry> nodes;                        // in the file's order of kinds
    const NodeEntry* nodeWithId(std::uint32_t id) const; // the first node of that id, or nullptr
    CheckContext(const mdx::Model& model, std::optional<std::filesystem::path> folder);

  private:
    std::vector<std::size_t> byId_; // object id -> index into nodes + 1, 0 for none
};

// Where a rule puts what it finds; the id and severity are the rule's.
class Report {
  public:
    Report(Problems& out, const char* id, Severity severity)
        : out_(out), id_(id), severity_(severity) {}
    Problem& add(std::string message, int geoset = -1);

  private:
    Problems& out_;
    const char* id_;
    Severity severity_;
};

// A fix returns what it changed, one sentence an item; empty when nothing changed.
using Changes = std::vector<std::string>;
using FixFunction = Changes (*)(mdx::Model&);

struct Rule {
    const char* id;
    Severity severity;
    void (*check)(const CheckContext&, Report&);
    FixFunction fix; // nullptr when no fix is certain
    const char* summary;
};

// Every rule, in the order problems are listed.
const std::vector<Rule>& modelRules();
const Rule* findRule(const std::string& id);

// The problems of the whole model, rule by rule in the table's order.
Problems checkModel(const mdx::Model& model,
                    const std::optional<std::filesystem::path>& folder = std::nullopt,
                    const textures::TextureSource& textureSource = textures::besideModelOnly());

// Applies every fix of the table once, in the table's order; what changed.
Changes applyCertainFixes(mdx::Model& model);

} // namespace check
