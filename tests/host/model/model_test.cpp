// The host's model: the library, objects kept in the project file once per command, undo.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>

#include "host_model_fixture.hpp"
#include "model/project.hpp"

namespace planhost_test {
namespace {

using planhost::LibraryPart;
using planhost::Model;
using planhost::ObjectElement;
using ::testing::ElementsAre;

std::vector<std::u16string> Ids(const Model& model) {
    std::vector<std::u16string> ids;
    for (const ObjectElement& element : model.Elements()) ids.push_back(element.id);
    return ids;
}

TEST_F(HostModelTest, ShippedLibraryLoadsInFileNameOrderWithMarkerStylesThatAreNotMeasured) {
    auto model = Open();
    const planhost::Library& library = model->library();
    ASSERT_EQ(library.size(), 3);
    EXPECT_EQ(library.Find(1)->fileName, u"Piketmerk.gsm");
    EXPECT_EQ(library.Find(2)->fileName, u"Stakemark.gsm");
    EXPECT_EQ(library.Find(3)->fileName, u"Tree.gsm");
    EXPECT_EQ(library.FindByFileName(u"stakemark.gsm"), nullptr);  // exact names only
    // Design points keep the defaults, which must not read as marker style 1.
    for (auto [file, measured] : {std::pair{u"Piketmerk.gsm", u"Kruis in cirkel"},
                                  std::pair{u"Stakemark.gsm", u"Cross in Circle"}}) {
        const LibraryPart* part = library.FindByFileName(file);
        const planhost::Parameter* style = FindParameter(part->parameters, "strMarkerStyle");
        ASSERT_NE(style, nullptr);
        EXPECT_TRUE(style->IsText());
        EXPECT_NE(style->text, measured);
        EXPECT_NE(FindParameter(part->parameters, "strMarkerStyle3D"), nullptr);
        planhost::ParameterList asMeasured = part->parameters;
        FindParameter(asMeasured, "strMarkerStyle")->text = measured;
        EXPECT_EQ(part->SymbolFor(asMeasured), "cross-circle");
        EXPECT_EQ(part->SymbolFor(part->parameters), "triangle");
    }
}

TEST_F(HostModelTest, LibraryFoldersLoadInTheOrderGivenAndSkipPartsThatAreNotParts) {
    std::filesystem::create_directories(folder() / "own");
    std::ofstream(folder() / "own" / "Broken.gsm") << "{ not json";
    std::ofstream(folder() / "own" / "Bench.gsm")
        << R"({"name": "Bench", "parameters": [{"name": "rLength", "type": "length", "value": 2}]})";
    std::ofstream(folder() / "own" / "notes.txt") << "not a part";
    planhost::ModelOptions options = Options();
    options.libraryFolders = {(folder() / "own").string(), ShippedLibrary()};
    Model model(options);
    ASSERT_EQ(model.library().size(), 4);
    EXPECT_EQ(model.library().Find(1)->fileName, u"Bench.gsm");
    EXPECT_EQ(model.library().Find(3)->fileName, u"Stakemark.gsm");

    options.noLibrary = true;
    options.projectPath = (folder() / "other.db").string();
    EXPECT_EQ(Model(options).library().size(), 0);
}

TEST_F(HostModelTest, AddGivesGuidOrderAndHostDefaultsAndRefusesWhatCannotBeStored) {
    auto model = Open();
    ObjectElement first = Stakemark(*model, u"1", 1, 2);
    first.layer = API_DefaultLayer;
    first.drawIndex = API_DrawOnTop;
    ASSERT_EQ(model->Add(first), NoError);
    EXPECT_EQ(first.layer, planhost::kHostDefaultLayer);
    EXPECT_EQ(first.part, "Stakemark.gsm");
    ObjectElement second = Stakemark(*model, u"2", 3, 4);
    second.drawIndex = 7;
    ASSERT_EQ(model->Add(second), NoError);
    ObjectElement third = Stakemark(*model, u"3", 3, 4);
    third.drawIndex = API_DrawOnTop;
    ASSERT_EQ(model->Add(third), NoError);
    EXPECT_EQ(third.drawIndex, 7);  // on top: the highest drawing level in use
    EXPECT_FALSE(first.guid == second.guid);
    EXPECT_EQ(model->Find(second.guid)->id, u"2");
    EXPECT_THAT(Ids(*model), ElementsAre(u"1", u"2", u"3"));

    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* what;
        void (*spoil)(ObjectElement&, double);
        double value;
        GSErrCode expected;
    };
    for (const Case& c : {
             Case{"x inf", [](ObjectElement&e, double v) { e.x = v; }, inf, APIERR_BADVALUE},
             Case{"y nan", [](ObjectElement&e, double v) { e.y = v; }, nan, APIERR_BADVALUE},
             Case{"z -inf", [](ObjectElement&e, double v) { e.z = v; }, -inf, APIERR_BADVALUE},
             Case{"a nan", [](ObjectElement&e, double v) { e.a = v; }, nan, APIERR_BADVALUE},
             Case{"no part", [](ObjectElement&e, double) { e.libInd = 99; }, 0, APIERR_BADINDEX},
             Case{"layer", [](ObjectElement&e, double) { e.layer = -2; }, 0, APIERR_BADPARS},
         }) {
        ObjectElement bad = Stakemark(*model, u"9", 0, 0);
        c.spoil(bad, c.value);
        EXPECT_EQ(model->Add(bad), c.expected) << c.what;
        ObjectElement moved = *model->Find(first.guid);
        c.spoil(moved, c.value);
        EXPECT_EQ(model->Replace(moved), c.expected) << c.what;
    }
    EXPECT_EQ(model->Elements().size(), 3u);
    EXPECT_EQ(model->Find(first.guid)->x, 1);
}

TEST_F(HostModelTest, CommitKeepsEverythingAndAnUncommittedCommandLeavesNoTrace) {
    API_Guid guid{};
    {
        auto model = Open();
        ObjectElement element = Stakemark(*model, u"7", 12.5, -3.25);
        element.z = 0.01;
        planhost::ParameterList params = model->library().Find(element.libInd)->parameters;
        FindParameter(params, "strMarkerStyle")->text = u"Cross in Circle";
        element.params = model->ShareParameters(params);
        ASSERT_EQ(model->Add(element), NoError);
        ObjectElement bare = Stakemark(*model, u"", 0.1, 0.2);
        bare.hasMemo = false;
        ASSERT_EQ(model->Add(bare), NoError);
        guid = element.guid;
        model->Commit();
    }
    {
        auto model = Open();
        ASSERT_EQ(model->Elements().size(), 2u);
        const ObjectElement* element = model->Find(guid);
        ASSERT_NE(element, nullptr);
        EXPECT_EQ(element->id, u"7");
        EXPECT_EQ(element->x, 12.5);
        EXPECT_EQ(element->z, 0.01);
        EXPECT_EQ(element->libInd, 2);
        EXPECT_EQ(FindParameter(element->Parameters(), "strMarkerStyle")->text, u"Cross in Circle");
        EXPECT_FALSE(model->Elements()[1].hasMemo);
        EXPECT_TRUE(model->Elements()[1].Parameters().empty());
        // A command that ends without Commit, as a killed planhost does.
        ObjectElement moved = *element;
        moved.x = 99;
        ASSERT_EQ(model->Replace(moved), NoError);
        ObjectElement extra = Stakemark(*model, u"8", 0, 0);
        ASSERT_EQ(model->Add(extra), NoError);
    }
    auto model = Open();
    EXPECT_EQ(model->Elements().size(), 2u);
    EXPECT_EQ(model->Find(guid)->x, 12.5);
}

TEST_F(HostModelTest, EqualParameterListsAreSharedAndKeptOnce) {
    auto model = Open();
    const planhost::ParameterList& defaults = model->library().Find(2)->parameters;
    planhost::SharedParameters a = model->ShareParameters(defaults);
    planhost::SharedParameters b = model->ShareParameters(defaults);
    EXPECT_EQ(a.get(), b.get());
    planhost::ParameterList changed = defaults;
    changed.front().text = u"Cross in Circle";
    EXPECT_NE(model->ShareParameters(changed).get(), a.get());
}

TEST_F(HostModelTest, UndoTakesBackStepsNewestFirstAlsoInALaterRun) {
    API_Guid first{};
    {
        auto model = Open();
        model->SetCommandTitle("Import points");
        model->BeginUndoStep("Create text");
        ObjectElement element = Stakemark(*model, u"1", 1, 1);
        ASSERT_EQ(model->Add(element), NoError);
        model->EndUndoStep(true);
        first = element.guid;
        // Outside any step: gathered into the command's own step, on top when it is committed.
        ObjectElement measured = element;
        measured.x = 2;
        ASSERT_EQ(model->Replace(measured), NoError);
        model->BeginUndoStep("Create text");
        ObjectElement second = Stakemark(*model, u"2", 5, 5);
        ASSERT_EQ(model->Add(second), NoError);
        model->EndUndoStep(true);
        model->Commit();
    }
    {
        auto model = Open();
        EXPECT_EQ(model->Undo(), "Import points");
        EXPECT_EQ(model->Find(first)->x, 1);
        EXPECT_THAT(Ids(*model), ElementsAre(u"1", u"2"));
        model->Commit();
    }
    {
        auto model = Open();
        EXPECT_EQ(model->Find(first)->x, 1);
        EXPECT_EQ(model->Undo(), "Create text");
        EXPECT_EQ(model->Undo(), "Create text");  // twice in one run
        EXPECT_TRUE(model->Elements().empty());
        EXPECT_EQ(model->Undo(), std::nullopt);
        model->Commit();
    }
    auto model = Open();
    EXPECT_TRUE(model->Elements().empty());
    EXPECT_EQ(model->Undo(), std::nullopt);
}

TEST_F(HostModelTest, FailedStepIsRolledBackAndNestedStepsJoinTheOuterOne) {
    auto model = Open();
    ObjectElement kept = Stakemark(*model, u"1", 1, 1);
    ASSERT_EQ(model->Add(kept), NoError);
    model->Commit();
    model->BeginUndoStep("Create text");
    ObjectElement lost = Stakemark(*model, u"2", 2, 2);
    ASSERT_EQ(model->Add(lost), NoError);
    ObjectElement moved = kept;
    moved.x = 50;
    ASSERT_EQ(model->Replace(moved), NoError);
    model->EndUndoStep(false);
    EXPECT_THAT(Ids(*model), ElementsAre(u"1"));
    EXPECT_EQ(model->Find(kept.guid)->x, 1);

    model->BeginUndoStep("Outer");
    model->BeginUndoStep("Inner");
    ObjectElement inner = Stakemark(*model, u"3", 3, 3);
    ASSERT_EQ(model->Add(inner), NoError);
    model->EndUndoStep(true);
    EXPECT_TRUE(model->InUndoStep());
    model->EndUndoStep(true);
    EXPECT_EQ(model->Undo(), "Outer");
    EXPECT_THAT(Ids(*model), ElementsAre(u"1"));
}

// Only a run that may change the project creates it; a file that is not a project is refused
// whatever the access; a project opened for reading is never written.
TEST_F(HostModelTest, AccessDecidesWhatIsCreatedAndWhatIsSaved) {
    using planhost::ProjectAccess;
    const std::filesystem::path project = folder() / "plan.db";
    planhost::ModelOptions options = Options();
    for (const ProjectAccess access : {ProjectAccess::kChange, ProjectAccess::kRead}) {
        options.access = access;
        EXPECT_THROW(Model{options}, std::runtime_error);
        EXPECT_FALSE(std::filesystem::exists(project));
    }
    const std::string text = "this is a text file, not a project\n";
    std::ofstream(project) << text;
    for (const ProjectAccess access :
         {ProjectAccess::kCreateOrChange, ProjectAccess::kChange, ProjectAccess::kRead}) {
        options.access = access;
        EXPECT_THROW(Model{options}, std::runtime_error);
    }
    std::filesystem::remove(project);

    {
        auto model = Open();
        ObjectElement saved = Stakemark(*model, u"1", 1, 1);
        ASSERT_EQ(model->Add(saved), NoError);
        ASSERT_TRUE(model->Commit());
    }
    options.access = ProjectAccess::kRead;
    Model reader(options);
    ObjectElement unsaved = Stakemark(reader, u"2", 2, 2);
    ASSERT_EQ(reader.Add(unsaved), NoError);
    EXPECT_THROW(reader.Commit(), std::runtime_error);
    EXPECT_THAT(Ids(*Open()), ElementsAre(u"1"));
}

}  // namespace
}  // namespace planhost_test
