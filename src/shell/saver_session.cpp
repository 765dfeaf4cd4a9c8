#include "shell/saver_session.h"

#include "lock/password_query.h"

namespace zelor {

void SaverSession::PointerMoved(int x, int y, int width, int height) {
  Act(rules_.PointerMoved(x, y, width, height, running_, StoredPassword()));
}

void SaverSession::CharacterTyped() { Act(rules_.CharacterTyped()); }

void SaverSession::KeyWithoutCharacter(KeyKind key) {
  Act(rules_.KeyWithoutCharacter(key, running_, StoredPassword()));
}

void SaverSession::CloseAsked() { Act(rules_.CloseAsked(running_, StoredPassword())); }

void SaverSession::QueryAnswered(const std::string& typed) {
  if (!rules_.QueryOpen()) return;  // only the open query answers
  rules_.SetQueryOpen(false);
  if (PasswordMatches(settings_, typed)) running_ = false;
}

void SaverSession::Act(WakeAction action) {
  if (action == WakeAction::EndRun) running_ = false;
  if (action != WakeAction::ShowQuery) return;
  rules_.SetQueryOpen(true);
  try {
    backend_.AskPassword(*this);
  } catch (...) {
    QueryClosed();
    throw;
  }
  // A query that could not be shown, or that the backend left without an
  // answer, was closed: it must not keep the gate shut.
  QueryClosed();
}

}  // namespace zelor
