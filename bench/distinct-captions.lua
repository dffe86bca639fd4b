-- wrk script: a new caption on every request, so that every request is a
-- cache miss and a render of the default design. With REQUESTS_PER_THREAD
-- set, each thread stops after that many answers.
local threads = 0

function setup(thread)
    threads = threads + 1
    thread:set("prefix", os.time() .. "t" .. threads .. "n")
end

local sent = 0
local answered = 0
local limit = tonumber(os.getenv("REQUESTS_PER_THREAD") or "0")

function request()
    sent = sent + 1
    return wrk.format("GET", "/v1/button.png?String=" .. prefix .. sent)
end

function response(status, headers, body)
    answered = answered + 1
    if limit > 0 and answered >= limit then
        wrk.thread:stop()
    end
end
