#include "protocol/xboard_game.h"

#include "board/fen.h"
#include "board/usable.h"
#include "board/zobrist.h"

namespace {

void start_record(XboardGame& game, const Position& position) {
    game.position = position;
    game.record.assign(1, position);
    game.keys = keys_from(position);
    game.ply = 0;
    publish_keys(game.keys);
}

}  // namespace

void game_new(XboardGame& game) {
    start_record(game, start_position);
    game.mode = XboardMode::NORMAL;
}

bool game_setboard(XboardGame& game, const std::string& fen) {
    Position position;
    read_fen(fen.c_str(), position);
    if (!position_is_usable(position)) return false;
    // A new record, so a take-back never lands in the earlier game and its keys never
    // fake a repetition.
    start_record(game, position);
    return true;
}

void game_take_back(XboardGame& game, int plies) {
    if (plies < 1 || game.ply < plies) return;
    game.ply -= plies;
    game.record.resize(game.ply + 1);
    game.keys.resize(game.ply + 1);
    game.position = game.record[game.ply];
    publish_keys(game.keys);
}

void game_advance(XboardGame& game) {
    ++game.ply;
    game.record.push_back(game.position);
    game.keys.push_back(compute_hash_key(game.position));
    publish_keys(game.keys);
}

void game_sync(XboardGame& game) {
    game.record.back() = game.position;
    game.keys.back() = compute_hash_key(game.position);
    publish_keys(game.keys);
}
