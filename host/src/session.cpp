#include "session.hpp"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <random>

#include "addon.hpp"
#include "faults.hpp"
#include "interaction.hpp"
#include "menus.hpp"
#include "model/model.hpp"
#include "trace.hpp"
#include "views.hpp"

namespace planhost {

namespace {

Session* current = nullptr;

template <typename T>
T& Part(const std::unique_ptr<T>& part, const char* what) {
    if (!part) {
        std::fprintf(stderr, "planhost: internal error: this run has no %s\n", what);
        std::abort();
    }
    return *part;
}

}  // namespace

Session::Session(std::unique_ptr<Model> model, std::unique_ptr<Views> views,
                 std::unique_ptr<Faults> faults, std::unique_ptr<Trace> trace)
    : model_(std::move(model)),
      views_(std::move(views)),
      faults_(std::move(faults)),
      trace_(std::move(trace)),
      interaction_(std::make_unique<Interaction>()),
      menus_(std::make_unique<Menus>()),
      addOn_(std::make_unique<LoadedAddOn>()) {
    current = this;
}

Session::~Session() {
    if (current == this) current = nullptr;
}

Session& Session::Current() {
    if (current == nullptr) {
        std::fprintf(stderr, "planhost: internal error: a host operation ran outside a session\n");
        std::abort();
    }
    return *current;
}

Model& Session::model() {
    return Part(model_, "model");
}
Project& Session::project() {
    return model().project();
}
Views& Session::views() {
    return Part(views_, "views");
}
Interaction& Session::interaction() {
    return *interaction_;
}
Trace& Session::trace() {
    return Part(trace_, "trace");
}
Faults& Session::faults() {
    return Part(faults_, "fault rules");
}
Menus& Session::menus() {
    return *menus_;
}
LoadedAddOn& Session::addOn() {
    return *addOn_;
}

API_Token Session::token() const {
    return token_;
}

API_Token Session::IssueToken() {
    std::random_device random;
    do {
        token_ = (API_Token(random()) << 32) | random();
    } while (token_ == 0);
    return token_;
}

void Session::RevokeToken() {
    token_ = 0;
}

GSErrCode Session::PickMenu(Int16 menuResID) {
    const API_MenuCommandProc handler = menus_->HandlerFor(menuResID);
    if (handler == nullptr) {
        std::fprintf(stderr, "planhost: the add-on installed no menu handler\n");
        return APIERR_GENERAL;
    }
    API_MenuParams params{};
    params.menuItemRef.menuResID = menuResID;
    params.menuItemRef.itemIndex = 1;
    return handler(&params);
}

GSErrCode Session::Call(API_Token token, const char* op, GSType selector,
                        FunctionRef<GSErrCode(std::string& details)> body, bool allowTokenZero) {
    return CallDescribed(token, op, selector, nullptr, body, allowTokenZero);
}

GSErrCode Session::CallDescribed(API_Token token, const char* op, GSType selector,
                                 FunctionRef<std::string()> describe,
                                 FunctionRef<GSErrCode(std::string& details)> body,
                                 bool allowTokenZero) {
    Trace& lines = trace();
    const std::size_t line = lines.Begin();
    const bool tokenValid = (token != 0 && token == token_) || (allowTokenZero && token == 0);
    std::string bodyDetails;
    GSErrCode result = NoError;
    if (!tokenValid)
        result = APIERR_BADTOKEN;
    else if (const std::optional<GSErrCode> injected = faults().Check(op, selector))
        result = *injected;
    else
        result = RunBody(op, body, bodyDetails);

    std::string details = describe && lines.IsOpen() ? describe() : std::string();
    if (!details.empty() && !bodyDetails.empty()) details += ' ';
    details += bodyDetails;
    lines.End(line, op, selector, details, result);
    return result;
}

GSErrCode Session::RunBody(const char* op, FunctionRef<GSErrCode(std::string&)> body,
                           std::string& details) {
    // Nothing is thrown back across the border: a host failure is a general error.
    try {
        return body(details);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "planhost: %s failed inside the host: %s\n", op, error.what());
    } catch (...) {
        std::fprintf(stderr, "planhost: %s failed inside the host\n", op);
    }
    return APIERR_GENERAL;
}

}  // namespace planhost
