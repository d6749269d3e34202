#include "protocol/uci_position.h"

#include "board/fen.h"
#include "board/usable.h"
#include "board/zobrist.h"
#include "protocol/play_move.h"
#include "shell/split_words.h"

namespace {

// Where the FEN starts: right after "position fen " in a well-formed line.
constexpr std::size_t FEN_OFFSET = 13;

}  // namespace

bool apply_position(UciGame& game, const std::string& line) {
    std::vector<std::string> words = split_words(line, 2);
    UciGame next;
    if (words.size() < 2 || words[1] != "startpos") {
        std::string fen = line.size() > FEN_OFFSET ? line.substr(FEN_OFFSET) : std::string();
        read_fen(fen.c_str(), next.position);
        if (!position_is_usable(next.position)) return false;
    }
    next.keys = keys_from(next.position);
    std::size_t moves_at = line.find("moves");
    if (moves_at != std::string::npos) {
        for (const std::string& token : split_words(line.substr(moves_at), line.size())) {
            if (!play_move_text(next.position, token, MatchRule::FIRST)) continue;
            next.keys.push_back(compute_hash_key(next.position));
            ++next.moves_played;
        }
    }
    game = std::move(next);
    publish_keys(game.keys);
    return true;
}
