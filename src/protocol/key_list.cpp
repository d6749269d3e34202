#include "protocol/key_list.h"

#include "board/zobrist.h"
#include "search/game_keys.h"

void publish_keys(const KeyList& keys) {
    clear_key_history();
    std::size_t first = keys.size() > KEY_HISTORY_SIZE ? keys.size() - KEY_HISTORY_SIZE : 0;
    for (std::size_t i = first; i < keys.size(); ++i) push_key_history(keys[i]);
}

KeyList keys_from(const Position& position) {
    return KeyList{compute_hash_key(position)};
}
